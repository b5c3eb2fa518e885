#include "WizardTestSupport.h"

#include "library/PictureBrowser.h"
#include "library/PictureBrowserModel.h"
#include "model/CardGlobals.h"
#include "wizards/PartyTextLists.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

namespace {

void click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

TEST_F(WizardTest, WalksThroughEveryStepWithMouseAndKeys)
{
    Start_Card_Option = QStringLiteral("T");
    during = [this](Invitation_Wizard& w) {
        // The wizard opens at its first step.
        EXPECT_EQ(w.next_counter, 1);
        EXPECT_EQ(w.pages->currentIndex(), 0);
        EXPECT_FALSE(w.Back_Btn->isEnabled());
        // The second preset, upright, as a rounded card.
        click(w.Size_List);
        w.Size_List->setFocus();
        QTest::keyClick(w.Size_List, Qt::Key_Down);
        w.Preset_ComboBox->setFocus();
        QTest::keyClick(w.Preset_ComboBox, Qt::Key_Down);
        w.Shape_ComboBox->setFocus();
        QTest::keyClick(w.Shape_ComboBox, Qt::Key_Down);
        click(w.Next_btn);
        EXPECT_EQ(w.next_counter, 2);
        EXPECT_EQ(w.selected_image, Resource_File(QStringLiteral("Background/a.png")));
        // A click on the second picture moves on at once.
        const QRect second = w.imageBrowser->visualRect(w.imageBrowser->pictures()->index(1));
        QTest::mouseClick(w.imageBrowser->viewport(), Qt::LeftButton, {}, second.center());
        EXPECT_EQ(w.next_counter, 3);
        EXPECT_EQ(w.msg_title->text(), QStringLiteral("First title"));
        click(w.title_nxt_btn);
        click(w.msg_nxt_btn);
        click(w.Next_btn);
        EXPECT_EQ(w.next_counter, 4);
        EXPECT_EQ(w.focusWidget(), w.from_value);
        QTest::keyClicks(w.from_value, QStringLiteral("  Ann  "));
        QTest::keyClicks(w.to_value, QStringLiteral("Bob"));
        QTest::keyClicks(w.venue_value, QStringLiteral("The Garden"));
        w.Time_picker->setFocus();
        QTest::keyClick(w.Time_picker, Qt::Key_Up);
        EXPECT_EQ(w.Next_btn->text(), QStringLiteral("&Finish"));
        click(w.Next_btn);
    };
    ASSERT_EQ(run(), 1);
    EXPECT_EQ(Start_Card_Option, QStringLiteral("W"));
    EXPECT_EQ(Invite_Title, QStringLiteral("Second title"));
    EXPECT_EQ(Invite_Message, QStringLiteral("Second message"));
    EXPECT_EQ(Invite_From, QStringLiteral("Ann"));
    EXPECT_EQ(Invite_To, QStringLiteral("Bob"));
    EXPECT_EQ(Invite_Venue, QStringLiteral("The Garden"));
    EXPECT_EQ(Invite_Date, QString());
    EXPECT_EQ(Invite_Time.size(), 5); // "HH:mm"
    EXPECT_EQ(Invite_BG_IMG, Resource_File(QStringLiteral("Background/b.jpg")));
    EXPECT_EQ(Card_Shape, 1);
    // Second PVC preset turned upright.
    EXPECT_NEAR(host.sizeInControl.width(), 54.102 * 1.1, 0.001);
    EXPECT_NEAR(host.sizeInControl.height(), 85.598 * 1.1, 0.001);
    EXPECT_NEAR(host.canvasSize.width(), 54.102 * 1.1 * 2.834645669291, 0.01);
    EXPECT_EQ(host.documentSize, host.canvasSize);
}

TEST_F(WizardTest, SizeListShowsEachPresetWithItsMillimetres)
{
    during = [](Invitation_Wizard& w) {
        ASSERT_EQ(w.Size_List->count(), 2);
        EXPECT_EQ(w.Size_List->item(0)->text(), QStringLiteral("PVC Card one  (85.6 × 54.1 mm)"));
        const QRect shown = w.Size_List->visualItemRect(w.Size_List->item(0));
        EXPECT_GE(shown.width(), w.Size_List->fontMetrics().horizontalAdvance(w.Size_List->item(0)->text()));
        w.Category_ComboBox->setCurrentIndex(1);
        emit w.Category_ComboBox->activated(1);
        EXPECT_EQ(w.Size_List->item(1)->text(), QStringLiteral("Name Badge two  (66.0 × 44.0 mm)"));
        EXPECT_NEAR(w.width_Stepper->value(), 60.0, 1e-9);
    };
    run();
}

TEST_F(WizardTest, TitleAndMessageListsWrapAround)
{
    during = [](Invitation_Wizard& w) {
        w.OK_Click();
        w.OK_Click();
        for (int i = 0; i < 2; ++i)
            w.Title_Next_Click();
        EXPECT_EQ(w.msg_title->text(), QStringLiteral("Third title"));
        w.Title_Next_Click();
        EXPECT_EQ(w.msg_title->text(), QStringLiteral("First title"));
        w.Title_Back_Click();
        EXPECT_EQ(w.msg_title->text(), QStringLiteral("Third title"));
        w.Msg_Back_Click();
        EXPECT_EQ(w.msg_value->toPlainText(), QStringLiteral("Second message"));
    };
    run();
}

// Step 3 typed with the keyboard alone: Tab goes from the title to the message, past the
// arrows, and a typed title or message stays among the texts the arrows step through.
TEST_F(WizardTest, TitleAndMessageAreTypedWithTabAndTypedTextsStayAmongTheArrows)
{
    during = [](Invitation_Wizard& w) {
        w.OK_Click();
        w.OK_Click();
        ASSERT_EQ(w.next_counter, 3);
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_T, Qt::AltModifier);
        ASSERT_EQ(w.focusWidget(), w.msg_title);
        QTest::keyClicks(w.focusWidget(), QStringLiteral("My Title"));
        QTest::keyClick(w.focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(w.focusWidget(), w.msg_value);
        QTest::keyClicks(w.focusWidget(), QStringLiteral("Hello there friend"));
        EXPECT_EQ(w.msg_title->text(), QStringLiteral("My Title"));
        EXPECT_EQ(w.msg_value->toPlainText(), QStringLiteral("Hello there friend"));
        for (QToolButton* arrow : { w.title_bk_btn, w.title_nxt_btn, w.msg_bk_btn, w.msg_nxt_btn })
            EXPECT_EQ(arrow->focusPolicy(), Qt::NoFocus);

        // The typed title stands after the entry it was typed over, by mouse and by keys.
        click(w.title_nxt_btn);
        EXPECT_EQ(w.msg_title->text(), QStringLiteral("Second title"));
        click(w.title_bk_btn);
        EXPECT_EQ(w.msg_title->text(), QStringLiteral("My Title"));
        w.msg_title->setFocus();
        QTest::keyClick(w.msg_title, Qt::Key_Left, Qt::AltModifier);
        EXPECT_EQ(w.msg_title->text(), QStringLiteral("First title"));
        QTest::keyClick(w.msg_title, Qt::Key_Left, Qt::AltModifier);
        EXPECT_EQ(w.msg_title->text(), QStringLiteral("Third title"));
        for (int i = 0; i < 2; ++i)
            QTest::keyClick(w.msg_title, Qt::Key_Right, Qt::AltModifier);
        EXPECT_EQ(w.msg_title->text(), QStringLiteral("My Title"));
        // What an arrow replaced comes back with Ctrl+Z.
        click(w.title_nxt_btn);
        QTest::keyClick(w.msg_title, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(w.msg_title->text(), QStringLiteral("My Title"));
        // Undone further, the entry typed over comes back as itself, and at last the first fill,
        // never an empty field: the typed title keeps its one stop right after that entry.
        QTest::keyClick(w.msg_title, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(w.msg_title->text(), QStringLiteral("First title"));
        for (int i = 0; i < 20; ++i)
            QTest::keyClick(w.msg_title, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(w.msg_title->text(), QStringLiteral("First title"));
        QStringList stops;
        for (int i = 0; i < 5; ++i) {
            click(w.title_nxt_btn);
            stops << w.msg_title->text();
        }
        EXPECT_EQ(stops, QStringList({ "My Title", "Second title", "Third title", "First title", "My Title" }));

        // The message alike, from its own field's keys.
        w.msg_value->setFocus();
        QTest::keyClick(w.msg_value, Qt::Key_Right, Qt::AltModifier);
        EXPECT_EQ(w.msg_value->toPlainText(), QStringLiteral("Second message"));
        QTest::keyClick(w.msg_value, Qt::Key_Left, Qt::AltModifier);
        EXPECT_EQ(w.msg_value->toPlainText(), QStringLiteral("Hello there friend"));
        // A field emptied by the person keeps no empty entry once it is left.
        w.msg_value->selectAll();
        QTest::keyClick(w.msg_value, Qt::Key_Delete);
        click(w.msg_bk_btn);
        EXPECT_EQ(w.msg_value->toPlainText(), QStringLiteral("First message"));
        click(w.msg_nxt_btn);
        EXPECT_EQ(w.msg_value->toPlainText(), QStringLiteral("Second message"));
        QTest::keyClicks(w.msg_value, QStringLiteral("!"));
        QTest::keyClick(w.msg_value, Qt::Key_Tab);
        EXPECT_EQ(w.focusWidget(), w.Help_btn);
        click(w.Next_btn);
        EXPECT_EQ(w.next_counter, 4);
        w.OK_Click();
    };
    ASSERT_EQ(run(), 1);
    EXPECT_EQ(Invite_Title, QStringLiteral("My Title"));
    EXPECT_EQ(Invite_Message, QStringLiteral("Second message!"));
}

TEST_F(WizardTest, LengthCapsHoldForTypingAndPasting)
{
    during = [](Invitation_Wizard& w) {
        w.OK_Click();
        w.OK_Click();
        w.msg_title->clear();
        QTest::keyClicks(w.msg_title, QString(101, QLatin1Char('t')));
        EXPECT_EQ(w.msg_title->text().size(), 100);
        w.msg_title->clear();
        QApplication::clipboard()->setText(QString(150, QLatin1Char('p')));
        w.msg_title->paste();
        EXPECT_EQ(w.msg_title->text().size(), 100);
        w.msg_value->clear();
        w.msg_value->paste();
        w.msg_value->paste();
        EXPECT_EQ(w.msg_value->toPlainText(), QString(250, QLatin1Char('p')));
        w.msg_value->clear();
        QTest::keyClicks(w.msg_value, QString(251, QLatin1Char('m')));
        EXPECT_EQ(w.msg_value->toPlainText().size(), 250);
        w.OK_Click();
        for (QLineEdit* edit : { w.from_value, w.to_value, w.venue_value }) {
            edit->clear();
            edit->paste();
        }
        EXPECT_EQ(w.from_value->text().size(), 40);
        EXPECT_EQ(w.to_value->text().size(), 40);
        EXPECT_EQ(w.venue_value->text().size(), 100);
    };
    run();
}

TEST_F(WizardTest, StepsRefuseWhatIsMissing)
{
    during = [this](Invitation_Wizard& w) {
        w.OK_Click();
        // The chosen picture went away.
        QFile::remove(w.selected_image);
        w.OK_Click();
        EXPECT_EQ(w.next_counter, 2);
        w.imageBrowser->selectRow(1);
        w.OK_Click();
        EXPECT_EQ(w.next_counter, 3);
        w.msg_title->clear();
        w.OK_Click();
        EXPECT_EQ(w.next_counter, 3);
        EXPECT_EQ(w.focusWidget(), w.msg_title);
        w.msg_title->setText(QStringLiteral("   ")); // only the empty text is refused
        w.msg_value->clear();
        w.OK_Click();
        EXPECT_EQ(w.next_counter, 3);
        EXPECT_EQ(w.focusWidget(), w.msg_value);
        w.msg_value->setPlainText(QStringLiteral("Hello"));
        w.OK_Click();
        EXPECT_EQ(w.next_counter, 4);
        EXPECT_EQ(dialogs->messages(),
            std::vector<QString>({ QStringLiteral("\nPlease select background."),
                QStringLiteral("\nPlease select title."), QStringLiteral("\nPlease select message.") }));
    };
    run();
}

TEST_F(WizardTest, BackStepsToTheFirstStepAndCancelOrEscapeLeaveWithNothingSet)
{
    const QString before = Start_Card_Option = QStringLiteral("L");
    for (const bool escape : { false, true }) {
        during = [escape](Invitation_Wizard& w) {
            w.OK_Click();
            w.OK_Click();
            w.Title_Next_Click();
            w.OK_Click();
            QTest::keyClicks(w.from_value, QStringLiteral("Ann"));
            w.Back_Click();
            EXPECT_EQ(w.next_counter, 3);
            w.Back_Click();
            w.Back_Click();
            EXPECT_EQ(w.next_counter, 1);
            EXPECT_FALSE(w.Back_Btn->isEnabled());
            w.Back_Click(); // nothing before the first step
            EXPECT_EQ(w.next_counter, 1);
            if (escape)
                QTest::keyClick(&w, Qt::Key_Escape);
            else
                click(w.Cancel_btn);
        };
        Invite_From.clear();
        EXPECT_EQ(run(), 0);
        EXPECT_EQ(Start_Card_Option, before);
        EXPECT_TRUE(Invite_From.isEmpty());
        EXPECT_FALSE(host.canvasSize.isValid());
    }
    // The next run starts afresh.
    during = [](Invitation_Wizard& w) {
        EXPECT_EQ(w.next_counter, 1);
        EXPECT_TRUE(w.from_value->text().isEmpty());
        EXPECT_EQ(w.msg_title->text(), QStringLiteral("First title"));
        w.CancelClick();
    };
    run();
}

TEST_F(WizardTest, PickingTheDateAlreadyShownPutsItOnTheCard)
{
    during = [](Invitation_Wizard& w) {
        for (int step = 1; step < 4; ++step)
            w.OK_Click();
        ASSERT_EQ(w.next_counter, 4);
        EXPECT_TRUE(w.Date_ctrl_value->text().isEmpty());
        // The calendar opens on today; a click on it is a choice though the date stays.
        QCalendarWidget* calendar = w.Date_picker->calendarWidget();
        emit calendar->clicked(w.Date_picker->date());
        EXPECT_FALSE(w.Date_ctrl_value->text().isEmpty());
        w.OK_Click();
    };
    ASSERT_EQ(run(), 1);
    EXPECT_EQ(Invite_Date, mediumDateText(QDate::currentDate()));
}

TEST_F(WizardTest, ClearDetailsAsksFirst)
{
    during = [this](Invitation_Wizard& w) {
        w.OK_Click();
        w.OK_Click();
        w.OK_Click();
        w.from_value->setText(QStringLiteral("Ann"));
        w.Date_picker->setDate(QDate(2027, 3, 9));
        EXPECT_FALSE(w.Date_ctrl_value->text().isEmpty());
        dialogs->yesNoAnswers = { false, true };
        w.Clear_Details_Click();
        EXPECT_EQ(w.from_value->text(), QStringLiteral("Ann"));
        w.Clear_Details_Click();
        EXPECT_TRUE(w.from_value->text().isEmpty());
        EXPECT_TRUE(w.Date_ctrl_value->text().isEmpty());
    };
    run();
}

TEST_F(WizardTest, ListFilesAreReadAsIntendedOrLeftEmptyWithAMessage)
{
    // Lines also end in a carriage return alone, and a list joined to it keeps its own mark.
    writeText(
        QStringLiteral("Title.txt"), "\xEF\xBB\xBF  Party time \r\n\r\n\nSecond\rThird\n \xEF\xBB\xBF Fourth\r\n");
    QFile::remove(Resource_File(QStringLiteral("Message.txt")));
    writeBackground(QStringLiteral("c.JPG"));
    writeBackground(QStringLiteral("d.jpeg"));
    during = [](Invitation_Wizard& w) {
        EXPECT_EQ(w.Title_Array, QStringList({ "Party time", "Second", "Third", "Fourth" }));
        EXPECT_TRUE(w.Message_Array.isEmpty());
        EXPECT_TRUE(w.msg_value->toPlainText().isEmpty());
        w.Msg_Next_Click(); // an empty list stays empty
        EXPECT_TRUE(w.msg_value->toPlainText().isEmpty());
        QStringList shown;
        for (const MyImageObject& item : w.imageBrowser->pictures()->images())
            shown.append(item.image_Name);
        EXPECT_EQ(shown, QStringList({ "a.png", "b.jpg", "c.JPG" }));
    };
    run();
    ASSERT_EQ(dialogs->messages().size(), 1u);
    EXPECT_TRUE(dialogs->messages()[0].contains(QStringLiteral("Message.txt")));

    // A list larger than any list is not read into memory, and the message says why.
    QFile huge(Resource_File(QStringLiteral("Message.txt")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(4) << 30));
    huge.close();
    during = [](Invitation_Wizard& w) { EXPECT_TRUE(w.Message_Array.isEmpty()); };
    run();
    ASSERT_EQ(dialogs->messages().size(), 2u);
    EXPECT_TRUE(dialogs->messages()[1].contains(QStringLiteral("Message.txt\nIt is larger than 1 MB.")))
        << dialogs->messages()[1].toStdString();
}

} // namespace

TEST(MediumDate, IsTheLongFormWithoutWeekdayAndWithTheShortMonth)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(mediumDateText(QDate(2027, 3, 9)), QStringLiteral("Mar 9, 2027"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(mediumDateText(QDate(2027, 3, 9)), QStringLiteral("9. März 2027"));
    QLocale::setDefault(saved);
}

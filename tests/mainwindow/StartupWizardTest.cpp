#include "MainWindowFixture.h"

#include "canvas/SKTGraphicView.h"
#include "common/Globals.h"
#include "library/PictureBrowser.h"
#include "library/PictureBrowserModel.h"
#include "library/PictureFolder.h"
#include "model/CardGlobals.h"
#include "model/LaidOutText.h"

#include <QDateEdit>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPaintEvent>
#include <QPushButton>
#include <QTest>

namespace {

// A person at the wizard: the first preset (CR80), the second background by a click, the
// first title and message, host, guest, venue and a date typed in.
int walkThroughWizard(QDialog& dialog)
{
    auto& w = static_cast<Invitation_Wizard&>(dialog);
    w.show();
    QTest::mouseClick(w.Next_btn, Qt::LeftButton);
    const QRect second = w.imageBrowser->visualRect(w.imageBrowser->pictures()->index(1));
    QTest::mouseClick(w.imageBrowser->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseClick(w.Next_btn, Qt::LeftButton);
    QTest::keyClicks(w.from_value, QStringLiteral(" Ann "));
    QTest::keyClicks(w.to_value, QStringLiteral("Bob"));
    QTest::keyClicks(w.venue_value, QStringLiteral("The Old Mill"));
    w.Date_picker->setFocus();
    QTest::keyClick(w.Date_picker, Qt::Key_Up);
    QTest::mouseClick(w.Next_btn, Qt::LeftButton);
    w.hide();
    return w.result();
}

TEST_F(MainWindowTest, WizardBuildsACr80CardWithBackgroundAndPartyTexts)
{
    wizardAnswers.clear();
    dialogs->modalHandler = [this](QDialog& dialog) {
        if (qobject_cast<Start_Card*>(&dialog))
            return answerStart(dialog);
        return qobject_cast<Invitation_Wizard*>(&dialog) ? walkThroughWizard(dialog) : 0;
    };
    SKTWindowController& main = start();
    ASSERT_EQ(startResult, SKTWindowController::StartResult::Ready);
    EXPECT_EQ(Start_Card_Option, QStringLiteral("W"));
    EXPECT_NEAR(main.cardSizeInControl().width(), 85.598, 0.001);
    EXPECT_NEAR(main.cardSizeInControl().height(), 54.102, 0.001);

    // The second picture of the shipped Background folder, by name.
    const QList<MyImageObject> shipped = pictureItemsInFolder(Resource_File(QStringLiteral("Background")));
    ASSERT_GE(shipped.size(), 8);
    EXPECT_EQ(main.Front_card_Prop->Card_BG_Image_Path, shipped[1].path);
    EXPECT_FALSE(main.Front_card_Prop->Card_BG_Image.isNull());
    EXPECT_EQ(main.Front_card_Prop->Card_fill_style, QStringLiteral("I"));
    EXPECT_TRUE(main.Front_card_Prop->Card_fill_chk);

    // Newest first: date, venue, host, message, guest, title; no time was picked.
    const auto& front = main.Get_Front_Controls_Array();
    ASSERT_EQ(front.size(), 6);
    EXPECT_EQ(front[5]->control_ID, QStringLiteral("PARTY_TITLE"));
    EXPECT_FALSE(front[5]->Text_Value.isEmpty());
    EXPECT_EQ(front[4]->Text_Value, QStringLiteral("Dear Bob,"));
    EXPECT_EQ(front[3]->control_ID, QStringLiteral("PARTY_MSG"));
    EXPECT_EQ(front[2]->Text_Value, QStringLiteral("From:\nAnn"));
    EXPECT_EQ(front[1]->control_ID, QStringLiteral("PARTY_VENUE"));
    EXPECT_EQ(front[0]->control_ID, QStringLiteral("PARTY_DATE"));
    // The date stands beside the host, level with it, and both on the card.
    EXPECT_EQ(front[0]->bounds().top(), front[2]->bounds().top());
    EXPECT_GT(front[0]->bounds().left(), front[2]->bounds().right());
    const QRectF card(QPointF(0, 0), main.canvasOfSide(SKTDocument::Side::Front)->cardSize());
    EXPECT_TRUE(card.contains(front[0]->bounds()));
    EXPECT_FALSE(main.document().undoManager().canUndo());
}

// A background given outside the card pages, as the wizard gives it, is drawn over the whole
// card at once, not only where something else is drawn later.
TEST_F(MainWindowTest, ABackgroundPictureRedrawsItsWholeSide)
{
    SKTWindowController& main = start();
    const QList<MyImageObject> shipped = pictureItemsInFolder(Resource_File(QStringLiteral("Background")));
    ASSERT_FALSE(shipped.isEmpty());
    main.show();
    SKTGraphicView* front = main.canvasOfSide(SKTDocument::Side::Front);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    QCoreApplication::processEvents();

    struct WholeRedraws : QObject
    {
        QWidget* canvas = nullptr;
        int count = 0;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (watched == canvas && event->type() == QEvent::Paint
                && static_cast<QPaintEvent*>(event)->region().contains(canvas->visibleRegion().boundingRect()))
                ++count;
            return false;
        }
    } redraws;
    redraws.canvas = front;
    front->installEventFilter(&redraws);
    main.set_Front_BG_Image(shipped[0].path);
    EXPECT_TRUE(QTest::qWaitFor([&] { return redraws.count > 0; }, 5000));
    front->removeEventFilter(&redraws);
}

TEST_F(MainWindowTest, BackgroundStoredByAnotherInstallationIsFoundInOurs)
{
    SKTWindowController& main = start();
    const QList<MyImageObject> shipped = pictureItemsInFolder(Resource_File(QStringLiteral("Background")));
    ASSERT_FALSE(shipped.isEmpty());
    const QString foreign
        = QStringLiteral("/Applications/Other.app/Contents/Resources/Background/") + shipped[0].image_Name;
    main.set_Back_BG_Image(foreign);
    EXPECT_EQ(main.Back_card_Prop->Card_BG_Image_Path, foreign);
    EXPECT_FALSE(main.Back_card_Prop->Card_BG_Image.isNull());
    // An empty path changes nothing.
    main.set_Back_BG_Image(QString());
    EXPECT_EQ(main.Back_card_Prop->Card_BG_Image_Path, foreign);
}

} // namespace

TEST_F(MainWindowTest, TheSevenPartyTextsLieInsideTheCardOnEveryPresetBothWaysRound)
{
    SKTWindowController& main = start();
    for (const QString& category : { QStringLiteral("PVC Card"), QStringLiteral("Name Badge") }) {
        const int presets = int(main.presetNames(category).size());
        ASSERT_GT(presets, 0);
        for (int preset = 0; preset < presets; ++preset) {
            for (const bool vertical : { false, true }) {
                const std::string where = category.toStdString() + " " + std::to_string(preset)
                    + (vertical ? " upright" : " lying");
                wizardAnswers = { WizardAnswer { .category = category,
                    .sizeIndex = preset,
                    .vertical = vertical,
                    .partyDetails = true,
                    .everyDetail = true } };
                main.New_Btn_Clicked();
                const QRectF card(QPointF(0, 0), main.canvasOfSide(SKTDocument::Side::Front)->cardSize());
                const auto& texts = main.Get_Front_Controls_Array();
                ASSERT_EQ(texts.size(), 7) << where;
                for (qsizetype i = 0; i < texts.size(); ++i) {
                    const SKTGraphic& text = *texts[i];
                    const std::string id = text.control_ID.toStdString();
                    EXPECT_TRUE(card.contains(text.bounds())) << where << " " << id;
                    // The whole text shows in its box, as the canvas lays it out.
                    const LaidOutText laidOut(text.Text_Value, *text.text_ctrl_font, 0.0, text.bounds().width(),
                        Qt::AlignLeft | Qt::AlignAbsolute);
                    EXPECT_LE(laidOut.height(), text.bounds().height()) << where << " " << id;
                    EXPECT_LE(laidOut.usedWidth(), text.bounds().width() + 0.01) << where << " " << id;
                    for (qsizetype j = i + 1; j < texts.size(); ++j)
                        EXPECT_FALSE(text.bounds().intersects(texts[j]->bounds()))
                            << where << " " << id << " and " << texts[j]->control_ID.toStdString();
                }
            }
        }
    }
}

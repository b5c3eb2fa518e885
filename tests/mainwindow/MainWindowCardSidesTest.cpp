// A "Front only" card has no back: it cannot be shown, and no batch, export, print or mail
// counts or carries it.
#include "MainWindowFixture.h"

#include "export/ExportWindow.h"
#include "inspector/CardSettingsPage.h"
#include "inspector/PropertiesInspector.h"
#include "mail/Send_Mail.h"
#include "mainwindow/MainMailHost.h"
#include "mainwindow/MainPrintHost.h"
#include "model/CardGlobals.h"
#include "model/SKTText.h"
#include "print/Print_Wnd.h"
#include "support/Patience.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QRadioButton>

namespace {

SKTGraphicPtr boundText(const QString& series)
{
    auto text = SKTGraphic::create<SKTText>();
    text->setBounds(QRectF(10, 10, 120, 30));
    text->data_source_type = 1;
    text->batch_list_name = series;
    return text;
}

QRadioButton* radio(QWidget& window, const QString& text)
{
    for (QRadioButton* button : window.findChildren<QRadioButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

int mailRows(MainMailHost& mail)
{
    int rows = 0;
    mail.mailCardRenderer(true, false, &rows);
    return rows;
}

} // namespace

TEST_F(MainWindowTest, FrontOnlyCardsLeaveTheBackOutOfCountsExportPrintAndMail)
{
    SKTWindowController& main = start();
    // Names of their own: other test programs may use the same series folder at the same time.
    const QString pid = QString::number(QCoreApplication::applicationPid());
    writeSeries(QStringLiteral("sides-front-") + pid, "Ann\nBob\n");
    writeSeries(QStringLiteral("sides-back-") + pid, "1\n2\n3\n4\n5\n");
    main.document().insertGraphicsOnSide(
        SKTDocument::Side::Front, { boundText(QStringLiteral("sides-front-") + pid) }, { 0 });
    main.document().insertGraphicsOnSide(
        SKTDocument::Side::Back, { boundText(QStringLiteral("sides-back-") + pid) }, { 0 });
    MainMailHost mail(main);
    MainPrintHost print(main);
    EXPECT_EQ(mailRows(mail), 5); // two sides: the back's longer series counts

    // Chosen on the back's own panel: the card leaves the back for the front.
    main.Select_back_side();
    QComboBox* sides = main.inspector().card_setting_tab->Sides_ComboBox;
    sides->setCurrentIndex(1);
    emit sides->activated(1);
    EXPECT_EQ(CARD_SIDE_STR, QStringLiteral("1"));
    EXPECT_EQ(Card_Front_Or_Back.load(), 0);
    EXPECT_EQ(main.Front_card_Prop->Card_Side, QStringLiteral("1"));
    QAction* backSide = main.findChild<QAction*>(QStringLiteral("Back_Side_btn"));
    ASSERT_NE(backSide, nullptr);
    EXPECT_FALSE(backSide->isEnabled());

    EXPECT_EQ(mailRows(mail), 2);
    EXPECT_EQ(print.Check_Series_Or_Excel_Use_or_not().Total_Batch_Excel_Card, 2);

    // Export: only the front can be chosen, and two front cards are written.
    dialogs->fileAnswers = { folder.path() };
    bool done = false;
    otherModal = [&](QDialog& dialog) {
        if (auto* sheet = qobject_cast<ExportWindow*>(&dialog)) {
            EXPECT_FALSE(sheet->matrix_export_card_side->button(0)->isEnabled());
            EXPECT_TRUE(sheet->matrix_export_card_side->button(1)->isEnabled());
            EXPECT_FALSE(sheet->matrix_export_card_side->button(2)->isEnabled());
            sheet->fileFormatPopup->setCurrentText(QStringLiteral("PNG"));
            return 1;
        }
        done = true;
        return 0;
    };
    main.Export_Button();
    patience::eventually([&] { return done; });
    EXPECT_EQ(QDir(QDir(folder.path()).filePath(QStringLiteral("QUON Galavite"))).entryList(QDir::Files, QDir::Name),
        QStringList({ QStringLiteral("Card_1.png"), QStringLiteral("Card_2.png") }));

    // Print and mail offer the front alone.
    Print_Wnd printWindow(&main);
    bool printAsked = false;
    otherModal = [&](QDialog& dialog) -> int {
        if (&dialog == &printWindow) {
            printAsked = true;
            QRadioButton* both = radio(printWindow, QStringLiteral("&Front and back"));
            QRadioButton* front = radio(printWindow, QStringLiteral("Front onl&y"));
            QRadioButton* back = radio(printWindow, QStringLiteral("&Back only"));
            if (!both || !front || !back) {
                ADD_FAILURE() << "the print window's side buttons are missing";
                return 0;
            }
            EXPECT_FALSE(both->isEnabled());
            EXPECT_TRUE(front->isChecked());
            EXPECT_FALSE(back->isEnabled());
        }
        return 0;
    };
    printWindow.Open_Print_Wnd(print);
    EXPECT_TRUE(printAsked);

    bool mailAsked = false;
    otherModal = [&](QDialog& dialog) {
        if (auto* send = qobject_cast<Send_Mail*>(&dialog)) {
            mailAsked = true;
            EXPECT_FALSE(send->matrix_card_side->button(0)->isEnabled());
            EXPECT_TRUE(send->matrix_card_side->button(1)->isChecked());
            EXPECT_FALSE(send->matrix_card_side->button(2)->isEnabled());
        }
        return 0;
    };
    mail.Mail_Button();
    EXPECT_TRUE(mailAsked);

    // Two sides again: the back comes back.
    sides->setCurrentIndex(0);
    emit sides->activated(0);
    EXPECT_EQ(CARD_SIDE_STR, QStringLiteral("2"));
    EXPECT_TRUE(backSide->isEnabled());
    EXPECT_EQ(mailRows(mail), 5);
    for (const char* series : { "sides-front-", "sides-back-" })
        QFile::remove(QDir(Data_Folder_Path).filePath(QString::fromLatin1(series) + pid + QStringLiteral(".txt")));
}

// The export command from the main window, and the data-source services its panels use.
#include "MainWindowFixture.h"

#include "common/Globals.h"
#include "export/ExportWindow.h"
#include "model/SKTText.h"
#include "platform/DesktopOpener.h"
#include "series/Open_Export_Log.h"
#include "widgets/Send_Modeless.h"
#include "support/Patience.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

namespace {

// A text on the front that takes its words from the series "guests".
std::shared_ptr<SKTText> placeTextBoundToGuests(SKTWindowController& main)
{
    auto text = SKTGraphic::create<SKTText>();
    text->setBounds(QRectF(10, 10, 120, 30));
    text->data_source_type = 1;
    text->batch_list_name = QStringLiteral("guests");
    main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { text }, { 0 });
    return text;
}

} // namespace

TEST_F(MainWindowTest, ExportWritesACardPerRowAndLeavesTheDesignAsTyped)
{
    SKTWindowController& main = startWithOwnSeriesFolder();
    writeSeries(QStringLiteral("guests"), "Ann\nBob\nCyd\n");
    const auto text = placeTextBoundToGuests(main);

    dialogs->fileAnswers = { folder.path() };
    QString doneText;
    bool sheetShownDuringRun = false;
    otherModal = [&](QDialog& dialog) {
        if (auto* sheet = qobject_cast<ExportWindow*>(&dialog)) {
            EXPECT_TRUE(sheet->Export_with_batch_chk->isChecked());
            sheet->fileFormatPopup->setCurrentText(QStringLiteral("PNG"));
            return 1;
        }
        // The export-done box.
        sheetShownDuringRun = true;
        for (const QCheckBox* box : dialog.findChildren<QCheckBox*>())
            doneText += box->text();
        for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
            box->setChecked(false);
        return 0;
    };
    main.Export_Button();
    patience::eventually([&] { return sheetShownDuringRun; });

    const QDir cards(QDir(folder.path()).filePath(QStringLiteral("QUON Galavite")));
    EXPECT_EQ(cards.entryList(QDir::Files, QDir::Name),
        QStringList({ QStringLiteral("Card_1.png"), QStringLiteral("Card_2.png"), QStringLiteral("Card_3.png") }));
    EXPECT_EQ(doneText, QStringLiteral("Open containing folder."));
    EXPECT_EQ(Export_File_Message, QStringLiteral("Card has been exported successfully."));
    // The rows went to the run's copies: the design keeps its text, the canvas the first row.
    EXPECT_EQ(text->Text_contents()->string, QStringLiteral("Text here"));
    EXPECT_EQ(main.shownOnFirstCard(text)->Text_contents()->string, QStringLiteral("Ann"));
    EXPECT_FALSE(Send_Modeless::defaultInstance()->isVisible());
}

// Run under ThreadSanitizer by scripts/tsan-test: the workers render their own copies while
// the person keeps editing the live design.
TEST_F(MainWindowTest, ABatchExportRunsWhileTheDesignIsEdited)
{
    SKTWindowController& main = startWithOwnSeriesFolder();
    QByteArray rows;
    for (int row = 1; row <= 24; ++row)
        rows += "Guest " + QByteArray::number(row) + '\n';
    writeSeries(QStringLiteral("guests"), rows);
    const auto text = placeTextBoundToGuests(main);

    dialogs->fileAnswers = { folder.path() };
    bool finished = false;
    otherModal = [&](QDialog& dialog) {
        if (auto* sheet = qobject_cast<ExportWindow*>(&dialog)) {
            sheet->fileFormatPopup->setCurrentText(QStringLiteral("PNG"));
            return 1;
        }
        finished = true;
        return 0;
    };
    main.Export_Button();
    const QDeadlineTimer deadline(patience::generousMs);
    for (int edit = 0; !finished && !deadline.hasExpired(); ++edit) {
        auto added = SKTGraphic::create<SKTText>();
        added->setBounds(QRectF(edit % 100, 40, 60, 20));
        main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { added }, { 0 });
        text->setBounds(QRectF(10 + edit % 50, 10, 120, 30));
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    ASSERT_TRUE(finished);
    const QDir cards(QDir(folder.path()).filePath(QStringLiteral("QUON Galavite")));
    EXPECT_EQ(cards.entryList(QDir::Files).size(), 24);
}

TEST_F(MainWindowTest, ExportingTheBackAloneOffersToOpenTheFileThatWasWritten)
{
    SKTWindowController& main = start();
    const QString typed = QDir(folder.path()).filePath(QStringLiteral("badge.png"));
    const QString written = QDir(folder.path()).filePath(QStringLiteral("badge_Back.png"));
    dialogs->fileAnswers = { typed };
    QList<QUrl> opened;
    const DesktopOpenerFunction previous = setDesktopOpener([&](const QUrl& url) {
        opened << url;
        return true;
    });
    QString boxPath, boxCheck;
    otherModal = [&](QDialog& dialog) {
        if (auto* sheet = qobject_cast<ExportWindow*>(&dialog)) {
            sheet->fileFormatPopup->setCurrentText(QStringLiteral("PNG"));
            sheet->matrix_export_card_side->button(2)->click();
            return 1;
        }
        auto* box = qobject_cast<Open_Export_Log*>(&dialog);
        EXPECT_NE(box, nullptr);
        if (!box)
            return 0;
        boxPath = Export_File_Path;
        boxCheck = box->_open_log_chk->text();
        box->_open_log_chk->setChecked(true);
        box->OKPressed();
        return 1;
    };
    main.Export_Button();
    setDesktopOpener(previous);

    EXPECT_TRUE(QFile::exists(written));
    EXPECT_FALSE(QFile::exists(typed));
    EXPECT_EQ(boxPath, written);
    EXPECT_EQ(boxCheck, QStringLiteral("Open exported file."));
    EXPECT_EQ(opened, (QList<QUrl> { QUrl::fromLocalFile(written) }));
}

// The export command from the main window, and the data-source services its panels use.
#include "MainWindowFixture.h"

#include "common/Globals.h"
#include "export/ExportWindow.h"
#include "widgets/Send_Modeless.h"
#include "model/SKTText.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

TEST_F(MainWindowTest, ExportWritesACardPerRowAndPutsTheFirstRowBackOnTheDesign)
{
    SKTWindowController& main = start();
    writeSeries(QStringLiteral("guests"), "Ann\nBob\nCyd\n");
    auto text = SKTGraphic::create<SKTText>();
    text->setBounds(QRectF(10, 10, 120, 30));
    text->data_source_type = 1;
    text->batch_list_name = QStringLiteral("guests");
    main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { text }, { 0 });

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
    const QDeadlineTimer deadline(30000);
    while (!sheetShownDuringRun && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);

    const QDir cards(QDir(folder.path()).filePath(QStringLiteral("QUON Galavite")));
    EXPECT_EQ(cards.entryList(QDir::Files, QDir::Name),
        QStringList({ QStringLiteral("Card_1.png"), QStringLiteral("Card_2.png"), QStringLiteral("Card_3.png") }));
    EXPECT_EQ(doneText, QStringLiteral("Open containing folder."));
    EXPECT_EQ(Export_File_Message, QStringLiteral("Card has been exported successfully."));
    EXPECT_EQ(text->Text_contents()->string, QStringLiteral("Ann"));
    EXPECT_FALSE(Send_Modeless::defaultInstance()->isVisible());
}

// Run under ThreadSanitizer by scripts/tsan-test: the workers render their own copies while
// the person keeps editing the live design.
TEST_F(MainWindowTest, ABatchExportRunsWhileTheDesignIsEdited)
{
    SKTWindowController& main = start();
    QByteArray rows;
    for (int row = 1; row <= 24; ++row)
        rows += "Guest " + QByteArray::number(row) + '\n';
    writeSeries(QStringLiteral("guests"), rows);
    auto text = SKTGraphic::create<SKTText>();
    text->setBounds(QRectF(10, 10, 120, 30));
    text->data_source_type = 1;
    text->batch_list_name = QStringLiteral("guests");
    main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { text }, { 0 });

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
    const QDeadlineTimer deadline(120000);
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

// The export command as a person runs it: the sheet, the progress sheet, Stop, the boxes at
// the end, and barcodes that scanners read on every card.
#include "export/CardExporter.h"
#include "BarcodeTestSupport.h"
#include "barcodes/BarcodeCardFields.h"
#include "barcodes/BarcodeSymbologies.h"
#include "common/Globals.h"
#include "dialogs/BackgroundWork.h"
#include "export/ExportWindow.h"
#include "model/ModelHooks.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "platform/CheckedWrite.h"
#include "support/FullFolder.h"
#include "support/KeyedQuestions.h"
#include "support/OnShow.h"
#include "support/Patience.h"
#include "support/ScriptedDialogService.h"
#include "support/TempSettings.h"
#include "widgets/ProgressSheetWork.h"
#include "widgets/QtDialogService.h"
#include "widgets/Send_Modeless.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

const QRectF card(0, 0, 243, 153);

class FakeHost : public ExportHost
{
public:
    QWidget* exportWindow() override { return &window; }
    CardSnapshot takeCardSnapshot() const override
    {
        return CardSnapshot::take(front, back, *frontSettings, *backSettings, 0, card);
    }
    bool twoSidedCard() const override { return true; }
    bool backShown() const override { return showingBack; }
    SpreadsheetRows spreadsheetRows() const override { return {}; }
    DataBinding batchBinding(const CardSnapshot& card) override
    {
        return DataBinding::Check_Series_Or_Excel_Use_or_not(card.front, card.back, twoSidedCard(), {});
    }
    void runBehindPleaseWait(const std::function<void()>& work, std::atomic<bool>& stop) override
    {
        ++pleaseWaits;
        ::runBehindPleaseWait(&window, work, stop);
    }
    void Show_One_By_One_Modeless() override { sheet.show(); }
    void Hide_One_By_One_Modeless() override { sheet.hide(); }
    void Select_first_row_value_for_design(const DataBinding& binding) override
    {
        binding.Assign_Batch_Values_To_Control(front, 0);
        ++restored;
    }
    void showExportDone(const QString& path, const QString& message, const QString& listed) override
    {
        done << path << message;
        details = listed;
    }

    QWidget window;
    Send_Modeless sheet { &window };
    QList<SKTGraphicPtr> front;
    QList<SKTGraphicPtr> back;
    Card_PropertyPtr frontSettings = Card_Property::create();
    Card_PropertyPtr backSettings = Card_Property::create();
    bool showingBack = false;
    QStringList done;
    QString details; // behind the last export-done box's message
    int restored = 0;
    int pleaseWaits = 0;
};

class CardExporterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        saved_ = Data_Folder_Path;
        Data_Folder_Path = data_.path();
        // Message boxes speak once a main window exists; only its presence is looked at.
        savedMainWindow_ = Main_App_wnd;
        Main_App_wnd = reinterpret_cast<SKTWindowController*>(&host_.window);
        host_.frontSettings->setCard_fill_chk(true);
        host_.frontSettings->setCard_fill_clr(Qt::white);
    }
    void TearDown() override
    {
        Data_Folder_Path = saved_;
        Main_App_wnd = savedMainWindow_;
    }

    void writeSeries(int rows)
    {
        QFile file(QDir(data_.path()).filePath(QStringLiteral("ids.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (int r = 1; r <= rows; ++r)
            file.write(QStringLiteral("INV-%1\n").arg(r, 6, 10, QLatin1Char('0')).toUtf8());
    }

    // A barcode of a kind bound to the series, at its natural size for the first value.
    SKTGraphicPtr barcode(const char* kind, const QPointF& at)
    {
        auto object = SKTGraphic::create<SKTBarcode>();
        BarcodeGenSettings settings;
        settings.barcode_font_index = indexOfBarcodeSymbology(QLatin1String(kind));
        settings.linear_or_2d = settings.barcode_font_index >= LinearSymbologyCount ? 1 : 0;
        settings.show_hide_hdr = settings.show_hide_ftr = 1;
        settings.qr_size_val = 72;
        storeBarcodeFields(settings, *object);
        object->data_source_type = DataBinding::seriesSource;
        object->batch_list_name = QStringLiteral("ids");
        object->setBounds(QRectF(at, barcodeRowMaker(*object)(QStringLiteral("INV-000001")).size()));
        return object;
    }

    std::shared_ptr<DataBinding> binding() const
    {
        return std::make_shared<DataBinding>(
            DataBinding::Check_Series_Or_Excel_Use_or_not(host_.front, host_.back, true, {}));
    }

    BatchExportResult runBatch(const CardExportSettings& settings, const std::function<void()>& whileRunning = {})
    {
        QSignalSpy finished(&exporter_, &CardExporter::batchFinished);
        exporter_.startBatch(out_.path(), settings, binding());
        if (whileRunning)
            whileRunning();
        EXPECT_TRUE(finished.wait(patience::generousMs));
        return finished.isEmpty() ? BatchExportResult() : finished.front().front().value<BatchExportResult>();
    }

    QString exported(const QString& name) const
    {
        return QDir(out_.path()).filePath(batchExportFolderName + QLatin1Char('/') + name);
    }

    ScriptedDialogs dialogs_;
    TempSettings settings_;
    QTemporaryDir data_;
    QTemporaryDir out_;
    QString saved_;
    SKTWindowController* savedMainWindow_ = nullptr;
    FakeHost host_;
    CardExporter exporter_ { host_ };
};

// The area of a card image that shows one object, with the card's white around it.
QImage around(const QImage& cardImage, const SKTGraphic& object, double dpi)
{
    const double scale = dpi / 72.0;
    const QRectF area = object.bounds().adjusted(-8, -8, 8, 8);
    return cardImage.copy(QRectF(area.topLeft() * scale, area.size() * scale).toAlignedRect());
}

// The export window answered OK with PNG at 72 dpi, of both sides when asked.
std::function<int(QDialog&)> okWithPngAt72(bool bothSides = false)
{
    return [bothSides](QDialog& dialog) {
        auto& window = static_cast<ExportWindow&>(dialog);
        window.fileFormatPopup->setCurrentText(QStringLiteral("PNG"));
        window.saveDPIText->setCurrentIndex(window.saveDPIText->findData(72));
        if (bothSides)
            window.matrix_export_card_side->button(0)->click();
        return 1;
    };
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST_F(CardExporterTest, EveryCardsBarcodesKeepTheirKindsAndReadAsTheirRow)
{
    writeSeries(4);
    // Inside the card, quiet zone and texts too: a barcode past its edge is named at the end.
    const SKTGraphicPtr qr = barcode("QR Code", QPointF(145, 5));
    const SKTGraphicPtr code128 = barcode("Code 128", QPointF(5, 95));
    host_.front = { qr, code128 };

    const BatchExportResult result = runBatch({ QStringLiteral("png"), 300, QStringLiteral("F"), false });
    ASSERT_EQ(result.outcome, BatchExportResult::Outcome::Finished);
    for (int row = 1; row <= 4; ++row) {
        const QImage cardImage(exported(QStringLiteral("Card_%1.png").arg(row)));
        ASSERT_FALSE(cardImage.isNull()) << row;
        const QByteArray expected = QStringLiteral("INV-%1").arg(row, 6, 10, QLatin1Char('0')).toUtf8();
        EXPECT_EQ(barcodetest::zxingRead(around(cardImage, *qr, 300), QStringLiteral("QRCode")), expected) << row;
        EXPECT_EQ(barcodetest::zxingRead(around(cardImage, *code128, 300), QStringLiteral("Code128")), expected) << row;
    }
    // The run ends with the sheet gone, row 0 back on the design and the folder offered.
    EXPECT_FALSE(host_.sheet.isVisible());
    EXPECT_EQ(host_.restored, 1);
    EXPECT_EQ(host_.done,
        QStringList({ exported(QString()).chopped(1), QStringLiteral("Card has been exported successfully.") }));
}

// The person learns which cards went out without their barcode.
TEST_F(CardExporterTest, TheEndOfTheRunNamesTheRowsWithoutABarcode)
{
    writeSeries(3);
    QFile file(QDir(data_.path()).filePath(QStringLiteral("ids.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("INV-000001\n\nINV-000003\n");
    file.close();
    host_.front = { barcode("Code 128", QPointF(5, 95)) };

    const BatchExportResult result = runBatch({ QStringLiteral("png"), 72, QStringLiteral("F"), false });
    ASSERT_EQ(result.outcome, BatchExportResult::Outcome::Finished);
    ASSERT_EQ(host_.done.size(), 2);
    EXPECT_EQ(host_.done[1],
        QStringLiteral("Card has been exported successfully.\n\n1 card lacks a barcode or picture: its row gives no "
                       "valid barcode value or no readable picture file (row 2)."));
}

// The message names a few rows; its details name every one, with the file each picture
// looked for and the text that did not fit.
TEST_F(CardExporterTest, SixtyCardsToFixAreNamedFiveInTheMessageAndAllInItsDetails)
{
    QDir pictures(out_.path());
    ASSERT_TRUE(pictures.mkpath(QStringLiteral("photos")));
    QImage photo(8, 8, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    QByteArray photoRows, nameRows;
    for (int row = 1; row <= 60; ++row) {
        // Every tenth row's picture is there; the others name files that are not.
        const QString file = pictures.filePath(QStringLiteral("photos/guest_%1.png").arg(row));
        if (row % 10 == 0) {
            ASSERT_TRUE(photo.save(file));
        }
        photoRows += file.toUtf8() + '\n';
        nameRows += (row == 7 || row == 33 ? QByteArray("Maximiliane Alexandrina von Hohenberg-Castellane")
                                           : "Guest " + QByteArray::number(row))
            + '\n';
    }
    for (const auto& [name, rows] : { std::pair("photos.txt", photoRows), std::pair("names.txt", nameRows) }) {
        QFile file(QDir(data_.path()).filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(rows);
    }
    auto picture = SKTGraphic::create<SKTImage>();
    picture->setBounds(QRectF(150, 10, 80, 80));
    picture->data_source_type = DataBinding::seriesSource;
    picture->batch_list_name = QStringLiteral("photos");
    auto name = SKTGraphic::create<SKTText>();
    name->setBounds(QRectF(10, 10, 130, 24));
    name->text_ctrl_font = QFont(QStringLiteral("Liberation Sans"), 14);
    name->data_source_type = DataBinding::seriesSource;
    name->batch_list_name = QStringLiteral("names");
    host_.front = { picture, name };

    const BatchExportResult result = runBatch({ QStringLiteral("png"), 72, QStringLiteral("F"), false });
    ASSERT_EQ(result.outcome, BatchExportResult::Outcome::Finished);
    ASSERT_EQ(host_.done.size(), 2);
    EXPECT_EQ(host_.done[1],
        QStringLiteral("Card has been exported successfully.\n\n54 cards lack a barcode or picture: their rows give "
                       "no valid barcode value or no readable picture file (rows 1, 2, 3, 4, 5 and 49 more).\n\n"
                       "2 cards have text that does not fit its box (rows 7, 33)."));
    const QStringList details = host_.details.split(u'\n');
    QStringList expected;
    for (int row = 1; row <= 60; ++row) {
        if (row % 10 != 0)
            expected << QStringLiteral("Row %1: Picture on the front (series \"photos\"): no readable picture file "
                                       "at \"%2\".")
                            .arg(row)
                            .arg(pictures.filePath(QStringLiteral("photos/guest_%1.png").arg(row)));
        if (row == 7 || row == 33)
            expected << QStringLiteral("Row %1: Text on the front (series \"names\"): \"Maximiliane Alexandrina von "
                                       "Hohenberg-Ca…\" does not fit its box.")
                            .arg(row);
    }
    EXPECT_EQ(details, expected);
}

TEST_F(CardExporterTest, StopAsksFirstAndYesEndsTheRunAfterTheCardInProgress)
{
    writeSeries(400);
    host_.front = { barcode("Code 128", QPointF(10, 20)) };
    dialogs_->yesNoAnswers = { false, true };
    // While the question is open the run waits: no card is written until the answer.
    QList<int> movedWhileAsking;
    dialogs_->beforeAnswer = [&](const ScriptedDialogService::Asked&) {
        // A card already on its way may still land.
        const int before = patience::settled(exporter_.batchProgress()->done);
        QThread::msleep(300);
        movedWhileAsking << exporter_.batchProgress()->done - before;
    };
    const BatchExportResult result = runBatch({ QStringLiteral("png"), 72, QStringLiteral("F"), false }, [&] {
        // "No" lets the run go on; "Yes" stops it.
        host_.sheet.Stop_Sending_Pressed();
        EXPECT_FALSE(exporter_.batchProgress()->stopRequested);
        host_.sheet.Stop_Sending_Pressed();
        EXPECT_TRUE(exporter_.batchProgress()->stopRequested);
    });
    EXPECT_EQ(movedWhileAsking, (QList<int> { 0, 0 }));
    EXPECT_EQ(result.outcome, BatchExportResult::Outcome::Stopped);
    EXPECT_LT(result.cardsWritten, 400);
    EXPECT_EQ(QDir(exported(QString())).entryList(QDir::Files).size(), result.cardsWritten);
    EXPECT_EQ(dialogs_->asked().front().text, QStringLiteral("Are you sure you want to stop?"));
    // A stopped run ends as a finished one does, but says how far it got.
    EXPECT_EQ(host_.restored, 1);
    EXPECT_EQ(host_.done,
        QStringList({ exported(QString()).chopped(1),
            QStringLiteral("The export was stopped.\nCards written: %1 of 400. Not written: %2.")
                .arg(result.cardsWritten)
                .arg(400 - result.cardsWritten) }));

    // The next run starts with Stop cleared and runs in full.
    writeSeries(3);
    EXPECT_EQ(runBatch({ QStringLiteral("png"), 72, QStringLiteral("F"), false }).cardsWritten, 3);
}

TEST_F(CardExporterTest, AFolderThatCannotBeMadeIsReportedAndNothingClaimsSuccess)
{
    writeSeries(3);
    host_.front = { barcode("Code 128", QPointF(10, 20)) };
    QFile blocker(exported(QString()).chopped(1));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    EXPECT_EQ(runBatch({}).outcome, BatchExportResult::Outcome::FolderFailed);
    ASSERT_EQ(dialogs_->messages().size(), 1u);
    const QString message = dialogs_->messages().front();
    EXPECT_TRUE(message.startsWith(QLatin1Char('\n') + batchFolderFailedMessage)) << message.toStdString();
    // Where and why, in the system's words, and that no card was written.
    EXPECT_TRUE(message.contains(exported(QString()).chopped(1) + QStringLiteral(": "))) << message.toStdString();
    EXPECT_TRUE(message.endsWith(QStringLiteral("Cards written: 0 of 3. Not written: 3."))) << message.toStdString();
    EXPECT_TRUE(host_.done.isEmpty());
}

TEST_F(CardExporterTest, AWriteFailureIsShownOnceAndNothingClaimsSuccess)
{
    writeSeries(5);
    host_.front = { barcode("Code 128", QPointF(10, 20)) };
    ASSERT_TRUE(QDir().mkpath(exported(QStringLiteral("Card_2.png"))));

    EXPECT_EQ(runBatch({}).outcome, BatchExportResult::Outcome::WriteFailed);
    ASSERT_EQ(dialogs_->messages().size(), 1u);
    EXPECT_TRUE(dialogs_->messages().front().startsWith(
        QStringLiteral("\nThe card was not exported: \"%1\"").arg(exported(QStringLiteral("Card_2.png")))));
    EXPECT_TRUE(dialogs_->messages().front().endsWith(QStringLiteral("Cards written: 1 of 5. Not written: 4.")));
    EXPECT_TRUE(host_.done.isEmpty());
    EXPECT_EQ(host_.restored, 1);

    FullFolder disk;
    disk.fill();
    const QString typed = disk.filePath(QStringLiteral("card.png"));
    EXPECT_FALSE(exporter_.Export_Single_File(typed, { QStringLiteral("png"), 72, QStringLiteral("F"), false }, true));
    ASSERT_EQ(dialogs_->messages().size(), 2u);
    EXPECT_EQ(dialogs_->messages().back(),
        QStringLiteral("\nThe card was not exported: \"%1\" could not be written.\n\n%2")
            .arg(typed, disk.expectedReason()));
    EXPECT_TRUE(host_.done.isEmpty());
}

TEST_F(CardExporterTest, WithTheRowsTurnedOffTheDesignIsWrittenOnceWhereThePersonSays)
{
    writeSeries(3);
    auto text = SKTGraphic::create<SKTText>();
    text->setBounds(QRectF(10, 10, 200, 30));
    text->data_source_type = DataBinding::seriesSource;
    text->batch_list_name = QStringLiteral("ids");
    text->Text_contents()->setString(QStringLiteral("shown"));
    host_.front = { text };
    const QString path = QDir(out_.path()).filePath(QStringLiteral("front.png"));
    dialogs_->fileAnswers = { path };
    bool seriesOffered = false;
    dialogs_->modalHandler = [&](QDialog& dialog) {
        auto& window = static_cast<ExportWindow&>(dialog);
        seriesOffered = window.Export_with_batch_chk->isEnabled() && window.Export_with_batch_chk->isChecked();
        EXPECT_FALSE(window.Export_with_excel_chk->isEnabled());
        window.Export_with_batch_chk->setChecked(false);
        window.fileFormatPopup->setCurrentText(QStringLiteral("PNG"));
        window.matrix_export_card_side->button(0)->click();
        return 1;
    };
    exporter_.Export_Button();

    EXPECT_TRUE(seriesOffered);
    EXPECT_TRUE(QFile::exists(QDir(out_.path()).filePath(QStringLiteral("front_Back.png"))));
    // 243 x 153 points at 300 dpi are 1012.5 x 637.5 pixels: the whole pixels inside.
    EXPECT_EQ(QImage(path).size(), QSize(1012, 637));
    EXPECT_EQ(text->Text_contents()->string, QStringLiteral("shown"));
    EXPECT_EQ(host_.done, QStringList({ path, QStringLiteral("Card has been exported successfully.") }));
    EXPECT_FALSE(QFile::exists(exported(QString())));
}

// A single card says what a run of cards says of a text cut short.
TEST_F(CardExporterTest, ASingleCardWhoseTextDoesNotFitSaysSo)
{
    auto greeting = SKTGraphic::create<SKTText>();
    greeting->setBounds(QRectF(10, 10, 90, 20));
    greeting->text_ctrl_font = QFont(QStringLiteral("Liberation Sans"), 14);
    greeting->Text_contents()->setString(QStringLiteral("Welcome to the annual members' evening"));
    host_.back = { greeting };
    const QString typed = QDir(out_.path()).filePath(QStringLiteral("badge.png"));

    // The front alone holds no such text: nothing to say.
    ASSERT_TRUE(exporter_.Export_Single_File(typed, { QStringLiteral("png"), 72, QStringLiteral("F"), false }, true));
    EXPECT_EQ(host_.done, QStringList({ typed, QStringLiteral("Card has been exported successfully.") }));
    EXPECT_EQ(host_.details, QString());

    host_.done.clear();
    ASSERT_TRUE(exporter_.Export_Single_File(typed, { QStringLiteral("png"), 72, QStringLiteral("BOTH"), true }, true));
    EXPECT_EQ(host_.done,
        QStringList({ typed,
            QStringLiteral("Card has been exported successfully.\n\nThe card has text that does not fit its box.") }));
    EXPECT_EQ(host_.details, QStringLiteral("Text \"Welcome to the annual me…\" on the back does not fit its box."));
}

TEST_F(CardExporterTest, TheBackAloneIsReportedUnderTheNameItWasWrittenTo)
{
    const QString typed = QDir(out_.path()).filePath(QStringLiteral("badge.png"));
    const QString written = QDir(out_.path()).filePath(QStringLiteral("badge_Back.png"));
    ASSERT_TRUE(exporter_.Export_Single_File(typed, { QStringLiteral("png"), 72, QStringLiteral("B"), false }, true));
    EXPECT_TRUE(QFile::exists(written));
    EXPECT_FALSE(QFile::exists(typed));
    EXPECT_EQ(host_.done, QStringList({ written, QStringLiteral("Card has been exported successfully.") }));
}

TEST_F(CardExporterTest, OneCardIsDrawnOffTheWindowsThreadAndWorkThatOutlastsAMomentGetsTheSheetWhoseStopWritesNothing)
{
    // An outline 10,000 points wide and dash-dot-dot once held the window for minutes.
    auto outline = SKTGraphic::create<Shape_Control>();
    outline->Set_Shape_Type(QStringLiteral("C"));
    outline->setBounds(QRectF(40, 30, 120, 80));
    outline->_strokeWidth = 10000.0;
    outline->_stroke_border_type = QStringLiteral("DDD");
    host_.front = { outline };
    std::atomic<int> drawnOnGuiThread { 0 }, drawnOnWorker { 0 };
    // Held, the worker draws nothing more until the sheet has shown (and Stop been answered).
    std::atomic<bool> held { false }, answered { false };
    ModelHooks::setRefreshCanvas([&] {
        const bool onGuiThread = QThread::currentThread() == qApp->thread();
        ++(onGuiThread ? drawnOnGuiThread : drawnOnWorker);
        if (held && !onGuiThread)
            answered.wait(false);
    });
    // A failed assertion must not leave the hook counting into this test's ended frame.
    const auto unhook = qScopeGuard([] { ModelHooks::setRefreshCanvas({}); });
    int shown = 0;
    bool stopWhenShown = false;
    QLabel* counter = host_.sheet.findChild<QLabel*>(QStringLiteral("curr_msg_cnt"));
    const OnShow watcher(host_.sheet, [&] {
        ++shown;
        EXPECT_EQ(counter->text(), QStringLiteral("0 / 1 Card"));
        if (stopWhenShown)
            host_.sheet.Stop_Sending_Pressed();
        answered = true;
        answered.notify_all();
    });
    const QDir out(out_.path());
    const QString typed = out.filePath(QStringLiteral("wide.png"));
    const CardExportSettings settings { QStringLiteral("png"), 300, QStringLiteral("BOTH"), false };
    // Work done within the moment shows no sheet: the moment is made long enough here that a
    // loaded machine finishes within it too.
    const int moment = setProgressSheetDelay(patience::generousMs);
    const auto restore = qScopeGuard([moment] { setProgressSheetDelay(moment); });
    ASSERT_TRUE(exporter_.Export_Single_File(typed, settings, true));
    setProgressSheetDelay(moment);
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(drawnOnGuiThread, 0);
    EXPECT_GT(drawnOnWorker, 0);
    EXPECT_EQ(QImage(typed).size(), QSize(1012, 637));
    EXPECT_EQ(host_.done, QStringList({ typed, QStringLiteral("Card has been exported successfully.") }));

    // Work that outlasts the moment gets the sheet, which shows the card done before it goes.
    held = true;
    host_.done.clear();
    ASSERT_TRUE(exporter_.Export_Single_File(typed, settings, true));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(counter->text(), QStringLiteral("1 / 1 Card"));
    EXPECT_FALSE(host_.sheet.findChild<QPushButton*>()->isEnabled());
    EXPECT_FALSE(host_.sheet.isVisible());
    EXPECT_EQ(host_.done, QStringList({ typed, QStringLiteral("Card has been exported successfully.") }));

    answered = false;
    stopWhenShown = true;
    dialogs_->yesNoAnswers = { true };
    host_.done.clear();
    EXPECT_FALSE(exporter_.Export_Single_File(out.filePath(QStringLiteral("stopped.png")), settings, true));
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(dialogs_->asked().front().text, QStringLiteral("Are you sure you want to stop?"));
    EXPECT_EQ(out.entryList(QDir::Files | QDir::Hidden),
        QStringList({ QStringLiteral("wide.png"), QStringLiteral("wide_Back.png") }));
    EXPECT_EQ(dialogs_->messages().back(), QStringLiteral("\nThe export was stopped. The card was not exported."));
    EXPECT_TRUE(host_.done.isEmpty());
    EXPECT_FALSE(host_.sheet.isVisible());
    EXPECT_EQ(drawnOnGuiThread, 0);
}

// The format used last is offered again; a name typed with another known extension takes that
// format and the box says so, and a name without one gets the format's: bytes and names agree.
TEST_F(CardExporterTest, TheExportWindowOpensAtTheSideShownAndTheFormatUsedLast)
{
    std::pair<QString, int> offered;
    dialogs_->modalHandler = [&](QDialog& dialog) {
        auto& window = static_cast<ExportWindow&>(dialog);
        offered = { window.fileFormatPopup->currentText(), window.matrix_export_card_side->checkedId() };
        window.fileFormatPopup->setCurrentIndex(window.fileFormatPopup->findText(QStringLiteral("PNG")));
        return 1;
    };
    const QString second = QDir(out_.path()).filePath(QStringLiteral("second.png"));
    dialogs_->fileAnswers = { QDir(out_.path()).filePath(QStringLiteral("first.png")), second };
    exporter_.Export_Button();
    EXPECT_EQ(offered, std::pair(QStringLiteral("TIFF"), 1));
    host_.showingBack = true;
    exporter_.Export_Button();
    EXPECT_EQ(offered, std::pair(QStringLiteral("PNG"), 2));
    EXPECT_TRUE(QFile::exists(Create_Back_Card_Path(second)));
    // The format outlasts the program; a one-sided card has no back to open at.
    settings_.reread();
    ExportWindow next;
    next.reset(false, false, false, true);
    EXPECT_EQ(next.fileFormatPopup->currentText(), QStringLiteral("PNG"));
    EXPECT_EQ(next.settings().side, QStringLiteral("F"));

    host_.showingBack = false;
    const auto exportAs = [&](const char* format, const QString& name) {
        host_.done.clear();
        dialogs_->modalHandler = [format](QDialog& dialog) {
            static_cast<ExportWindow&>(dialog).fileFormatPopup->setCurrentText(QLatin1String(format));
            return 1;
        };
        dialogs_->fileAnswers = { QDir(out_.path()).filePath(name) };
        exporter_.Export_Button();
        QFile written(host_.done.value(0));
        return written.open(QIODevice::ReadOnly) ? written.read(4) : QByteArray();
    };
    const QString done = QStringLiteral("Card has been exported successfully.\n\n");
    EXPECT_EQ(exportAs("BMP", QStringLiteral("t.png")), QByteArray("\x89PNG"));
    EXPECT_EQ(host_.done.value(1), done + "The file name ends in \".png\", so the card was written as PNG, not BMP.");
    EXPECT_EQ(exportAs("JPEG", QStringLiteral("t.TIF")), QByteArray("II*\0", 4));
    ExportWindow chosen;
    chosen.reset(false, false);
    EXPECT_EQ(chosen.fileFormatPopup->currentText(), QStringLiteral("TIFF"));
    EXPECT_EQ(exportAs("BMP", QStringLiteral("t.card")).left(2), QByteArray("BM"));
    EXPECT_EQ(host_.done,
        QStringList({ QDir(out_.path()).filePath(QStringLiteral("t.card.bmp")),
            done + "The card was written as BMP, so \".bmp\" was added to the file name." }));
    // The name written is asked about, not the name typed.
    dialogs_->choiceAnswers = { 1 };
    EXPECT_EQ(exportAs("BMP", QStringLiteral("t.card")), QByteArray());
    EXPECT_EQ(
        dialogs_->asked().back().text, QStringLiteral("\"t.card.bmp\" already exists. Do you want to replace it?"));
}

TEST(ExportWindow, TheCombinedBoxIsOpenOnlyForBothSides)
{
    const TempSettings noFormatUsedYet;
    ExportWindow window;
    window.reset(true, false);
    EXPECT_EQ(window.settings().side, QStringLiteral("F"));
    EXPECT_FALSE(window.export_combined_image_chk->isEnabled());
    window.matrix_export_card_side->button(0)->click();
    EXPECT_TRUE(window.export_combined_image_chk->isEnabled());
    window.export_combined_image_chk->setChecked(true);
    EXPECT_TRUE(window.settings().combined);
    window.matrix_export_card_side->button(2)->click();
    EXPECT_EQ(window.settings().side, QStringLiteral("B"));
    EXPECT_FALSE(window.settings().combined);
    // The next export starts from the defaults again.
    window.reset(false, false);
    EXPECT_EQ(window.settings().side, QStringLiteral("F"));
    EXPECT_FALSE(window.export_combined_image_chk->isChecked());
    EXPECT_EQ(window.settings().extension, QStringLiteral("tiff"));
}

TEST_F(CardExporterTest, AFolderHoldingEarlierCardsIsTakenOnlyWhenThePersonSaysReplace)
{
    writeSeries(3);
    host_.front = { barcode("Code 128", QPointF(10, 20)) };
    // An earlier, longer run, and files of the person's own.
    ASSERT_TRUE(QDir().mkpath(exported(QString())));
    const QStringList earlier { QStringLiteral("Card_1.png"), QStringLiteral("Card_4.png"),
        QStringLiteral("Card_5_Back.png"), QStringLiteral("notes.txt"), QStringLiteral("Card_9.jpeg") };
    for (const QString& name : earlier)
        ASSERT_TRUE(writeFileChecked(exported(name), "earlier"));
    dialogs_->modalHandler = okWithPngAt72();
    const auto exportTo = [&](const QStringList& folders) {
        dialogs_->fileAnswers = { folders.begin(), folders.end() };
        QSignalSpy finished(&exporter_, &CardExporter::batchFinished);
        exporter_.Export_Button();
        EXPECT_TRUE(finished.wait(60000));
    };

    // The safe answer, given when nobody picks one, is another folder.
    QTemporaryDir other;
    exportTo({ out_.path(), other.path() });
    QStringList kinds;
    for (const auto& asked : dialogs_->asked())
        kinds << asked.kind;
    EXPECT_EQ(kinds.mid(0, 4), (QStringList { "modal", "folder", "choice", "folder" }));
    const QString question = dialogs_->asked().at(2).text;
    EXPECT_TRUE(question.contains(exported(QString()).chopped(1))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("4 card files"))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("Card_1 … Card_9 (JPEG and PNG)"))) << question.toStdString();
    for (const QString& name : earlier)
        EXPECT_EQ(contents(exported(name)), QByteArray("earlier")) << name.toStdString();
    const QString otherCards = QDir(other.path()).filePath(batchExportFolderName);
    EXPECT_EQ(QDir(otherCards).entryList(QDir::Files, QDir::Name),
        (QStringList { "Card_1.png", "Card_2.png", "Card_3.png" }));

    // Replace writes this run's cards over those of the same names and deletes nothing.
    dialogs_->choiceAnswers = { 1 };
    exportTo({ out_.path() });
    EXPECT_NE(contents(exported(QStringLiteral("Card_1.png"))), QByteArray("earlier"));
    EXPECT_TRUE(QFile::exists(exported(QStringLiteral("Card_3.png"))));
    for (const QString& name : earlier.mid(1))
        EXPECT_EQ(contents(exported(name)), QByteArray("earlier")) << name.toStdString();
}

// Every file of the person's that an export would write over is asked about once, before
// anything is written: No writes nothing and leaves the bytes as they were; a link is the file
// it leads to.
TEST_F(CardExporterTest, EveryFileAnExportWouldReplaceIsAskedAboutOnceBeforeAnythingIsWritten)
{
    dialogs_->modalHandler = okWithPngAt72(true);
    const QDir out(out_.path());
    const auto exportTo = [&](const QString& path, int answer) {
        dialogs_->fileAnswers = { path };
        dialogs_->choiceAnswers = { answer };
        exporter_.Export_Button();
        return dialogs_->asked().back();
    };

    // One card, both sides, to a name whose back is a file of the person's own: No, then Yes.
    const QString front = out.filePath("both2.png"), back = out.filePath("both2_Back.png");
    ASSERT_TRUE(writeFileChecked(back, "mine"));
    EXPECT_EQ(exportTo(front, 1).text, "\"both2_Back.png\" already exists. Do you want to replace it?");
    EXPECT_EQ(contents(back), "mine");
    EXPECT_FALSE(QFile::exists(front));
    EXPECT_TRUE(host_.done.isEmpty());
    exportTo(front, 0);
    EXPECT_TRUE(contents(back).startsWith("\x89PNG") && contents(front).startsWith("\x89PNG"));

    // A back's name that links to the front's file is that one file, named once.
    const QString pair = out.filePath("pair.png");
    ASSERT_TRUE(writeFileChecked(pair, "mine"));
    ASSERT_TRUE(QFile::link(pair, out.filePath("pair_Back.png")));
    const auto linked = exportTo(pair, 1);
    EXPECT_EQ(linked.text, "\"pair_Back.png\" already exists. Do you want to replace it?");
    EXPECT_EQ(linked.details, QStringLiteral("pair_Back.png (a link to %1)").arg(QFileInfo(pair).canonicalFilePath()));
    EXPECT_EQ(contents(pair), "mine");

    // A run of rows where earlier cards lie: those it would replace are listed, five by name,
    // found behind the please-wait sheet. The folder's name is said as it is.
    const QString chosen = out.filePath("run %2");
    const QDir cards(batchExportFolder(chosen));
    writeSeries(8);
    host_.front = { barcode("Code 128", QPointF(10, 20)) };
    ASSERT_TRUE(cards.mkpath("."));
    QStringList earlier { "Card_9.png" };
    for (int n = 1; n <= 4; ++n)
        earlier << QStringLiteral("Card_%1_Back.png").arg(n) << QStringLiteral("Card_%1.png").arg(n);
    for (const QString& name : std::as_const(earlier))
        ASSERT_TRUE(writeFileChecked(cards.filePath(name), "earlier"));
    const QString held = QStringLiteral("\"%1\" already holds 9 card files").arg(cards.path());
    const auto refused = exportTo(chosen, 2);
    EXPECT_FALSE(exporter_.batchRunning());
    EXPECT_EQ(host_.pleaseWaits, 1);
    EXPECT_TRUE(refused.text.contains(held)) << refused.text.toStdString();
    EXPECT_TRUE(refused.text.contains("\"Card_1_Back.png\", \"Card_1.png\", \"Card_2_Back.png\", \"Card_2.png\", "
                                      "\"Card_3_Back.png\" and 3 more already exist. Do you want to replace them?"))
        << refused.text.toStdString();
    EXPECT_EQ(refused.details, earlier.mid(1).join(u'\n'));
    for (const QString& name : std::as_const(earlier))
        EXPECT_EQ(contents(cards.filePath(name)), "earlier") << name.toStdString();
    EXPECT_EQ(cards.entryList(QDir::Files).size(), earlier.size());
    for (const auto& asked : dialogs_->asked())
        EXPECT_EQ(asked.thread, QThread::currentThread()) << asked.text.toStdString();
}

TEST_F(CardExporterTest, EarlierCardsOfAnotherFormatAreAskedAboutAndTheKeysGiveTheSafeAnswer)
{
    writeSeries(2);
    host_.front = { barcode("Code 128", QPointF(10, 20)) };
    ASSERT_TRUE(QDir().mkpath(exported(QString())));
    for (int n = 1; n <= 300; ++n)
        ASSERT_TRUE(
            writeFileChecked(exported(QStringLiteral("Card_%1.jpg").arg(n)), "earlier", nullptr, { .durable = false }));
    for (const int key : { Qt::Key_Escape, Qt::Key_Return }) {
        KeyedDialogs keyed(key);
        keyed->script.modalHandler = okWithPngAt72();
        QTemporaryDir other;
        keyed->script.fileAnswers = { out_.path(), other.path() };
        QSignalSpy finished(&exporter_, &CardExporter::batchFinished);
        exporter_.Export_Button();
        ASSERT_TRUE(finished.wait(patience::generousMs)) << key;

        ASSERT_EQ(keyed->questions.size(), 1) << key;
        const QString question = keyed->questions.constFirst();
        EXPECT_TRUE(question.contains(QStringLiteral("300 card files"))) << question.toStdString();
        EXPECT_TRUE(question.contains(QStringLiteral("Card_1 … Card_300 (JPG)"))) << question.toStdString();
        // The key chose another folder: the earlier cards are as they were, and alone.
        EXPECT_EQ(QDir(exported(QString())).entryList(QDir::Files).size(), 300) << key;
        EXPECT_EQ(QDir(QDir(other.path()).filePath(batchExportFolderName)).entryList(QDir::Files, QDir::Name),
            (QStringList { "Card_1.png", "Card_2.png" }))
            << key;
    }
}

TEST(SafeChoice, EscapeAndClosingTheBoxGiveTheSafeAnswer)
{
    QtDialogService service;
    const QStringList buttons { QStringLiteral("Choose Another Folder"), QStringLiteral("Replace") };
    const auto answerWith = [&](const std::function<void(QMessageBox&)>& act) {
        QTimer::singleShot(0, [act] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            act(*box);
        });
        return service.askSafeChoice(QStringLiteral("Replace the cards?"), buttons, 0);
    };
    EXPECT_EQ(answerWith([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }), 0);
    EXPECT_EQ(answerWith([](QMessageBox& box) { box.close(); }), 0);
    EXPECT_EQ(answerWith([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); }), 0);
    EXPECT_EQ(answerWith([](QMessageBox& box) {
        for (QAbstractButton* button : box.buttons())
            if (button->text() == QStringLiteral("Replace"))
                button->click();
    }),
        1);
}

// A batch writes one card per row, named and ordered as people and other programs expect.
#include "jobs/BatchExport.h"
#include "JobsTestSupport.h"
#include "common/Globals.h"
#include "support/FullFolder.h"
#include "support/Patience.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <thread>

#include <gtest/gtest.h>

namespace {

const QRectF card(0, 0, 243, 153);

class BatchExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        saved_ = Data_Folder_Path;
        Data_Folder_Path = data_.path();
        QFile series(QDir(data_.path()).filePath(QStringLiteral("guests.txt")));
        ASSERT_TRUE(series.open(QIODevice::WriteOnly));
        series.write("Ann\nBob\nCyd\n");
    }
    void TearDown() override { Data_Folder_Path = saved_; }

    // A front with a text bound to the 3-value series and an image bound to a spreadsheet
    // column of picture paths; a back with a label. Red front, blue back.
    BatchExportRequest request(const QString& side, bool combined, const QString& extension = QStringLiteral("png"))
    {
        auto text = SKTGraphic::create<SKTText>();
        text->setBounds(QRectF(10, 10, 150, 30));
        text->data_source_type = DataBinding::seriesSource;
        text->batch_list_name = QStringLiteral("guests");
        auto image = SKTGraphic::create<SKTImage>();
        image->setBounds(QRectF(180, 10, 50, 50));
        image->data_source_type = DataBinding::spreadsheetSource;
        image->excel_col_indx = 1;
        auto label = SKTGraphic::create<SKTText>();
        label->setBounds(QRectF(10, 10, 150, 30));
        label->Text_contents()->setString(QStringLiteral("Back"));

        SpreadsheetRows sheet;
        for (int r = 1; r <= 3; ++r) {
            const QString path = QDir(data_.path()).filePath(QStringLiteral("p%1.png").arg(r));
            QImage picture(8, 8, QImage::Format_RGB32);
            picture.fill(QColor::fromHsv(100 * r, 255, 255));
            picture.save(path);
            sheet << QStringList { QString::number(r), path };
        }
        const QList<SKTGraphicPtr> front { text, image };
        const QList<SKTGraphicPtr> back { label };
        auto frontSettings = Card_Property::create();
        frontSettings->setCard_fill_chk(true);
        frontSettings->setCard_fill_clr(Qt::red);
        auto backSettings = Card_Property::create();
        backSettings->setCard_fill_chk(true);
        backSettings->setCard_fill_clr(Qt::blue);

        BatchExportRequest made;
        made.snapshot = CardSnapshot::take(front, back, *frontSettings, *backSettings, 0, card);
        made.binding
            = std::make_shared<DataBinding>(DataBinding::Check_Series_Or_Excel_Use_or_not(front, back, true, sheet));
        made.settings.extension = extension;
        made.settings.dpi = 72;
        made.settings.side = side;
        made.settings.combined = combined;
        made.folder = out_.path();
        made.workers = 3;
        return made;
    }

    // The bound series with values 1 to count.
    void writeSeries(int count)
    {
        QFile series(QDir(data_.path()).filePath(QStringLiteral("guests.txt")));
        ASSERT_TRUE(series.open(QIODevice::WriteOnly));
        for (int i = 1; i <= count; ++i)
            series.write(QByteArray::number(i) + '\n');
    }

    QString exported(const QString& name) const
    {
        return QDir(out_.path()).filePath(batchExportFolderName + QLatin1Char('/') + name);
    }
    QStringList exportedFiles() const
    {
        return QDir(QDir(out_.path()).filePath(batchExportFolderName)).entryList(QDir::Files, QDir::Name);
    }

    QTemporaryDir data_;
    QTemporaryDir out_;
    QString saved_;
};

// What ImageMagick makes of a file: its format and horizontal resolution in dots per inch.
QString identify(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("identify"),
        { QStringLiteral("-units"), QStringLiteral("PixelsPerInch"), QStringLiteral("-format"),
            QStringLiteral("%m %[fx:round(resolution.x)]"), path });
    patience::finished(process);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

} // namespace

TEST_F(BatchExportTest, BothSidesWriteEachBackBeforeItsFrontRowByRow)
{
    QStringList seenAfterEachCard;
    JobProgress progress;
    const BatchExportResult result = Export_Batch_File(request(QStringLiteral("BOTH"), false), progress,
        [&](int) { seenAfterEachCard << exportedFiles().join(QLatin1Char(' ')); });
    EXPECT_EQ(result.outcome, BatchExportResult::Outcome::Finished);
    EXPECT_EQ(result.cardsWritten, 3);
    EXPECT_EQ(progress.done, 3);
    EXPECT_EQ(seenAfterEachCard,
        QStringList({ QStringLiteral("Card_1.png Card_1_Back.png"),
            QStringLiteral("Card_1.png Card_1_Back.png Card_2.png Card_2_Back.png"),
            QStringLiteral("Card_1.png Card_1_Back.png Card_2.png Card_2_Back.png Card_3.png Card_3_Back.png") }));
    const QImage front(exported(QStringLiteral("Card_2.png")));
    EXPECT_EQ(front.size(), QSize(243, 153));
    // The row's picture is on the card: row 2's hue.
    EXPECT_EQ(front.pixelColor(205, 35).rgb(), QColor::fromHsv(200, 255, 255).rgb());
    EXPECT_EQ(QImage(exported(QStringLiteral("Card_2_Back.png"))).pixelColor(200, 140), QColor(Qt::blue));
}

TEST_F(BatchExportTest, CombinedCardsHoldTheFrontAboveTheBack)
{
    JobProgress progress;
    Export_Batch_File(request(QStringLiteral("BOTH"), true), progress);
    EXPECT_EQ(exportedFiles(),
        QStringList({ QStringLiteral("Card_1.png"), QStringLiteral("Card_2.png"), QStringLiteral("Card_3.png") }));
    const QImage combined(exported(QStringLiteral("Card_3.png")));
    ASSERT_EQ(combined.size(), QSize(243, 306));
    EXPECT_EQ(combined.pixelColor(200, 140), QColor(Qt::red));
    EXPECT_EQ(combined.pixelColor(200, 153 + 140), QColor(Qt::blue));
}

TEST_F(BatchExportTest, TheBackAloneIsWrittenUnderBackNames)
{
    JobProgress progress;
    Export_Batch_File(request(QStringLiteral("B"), true), progress);
    EXPECT_EQ(exportedFiles(),
        QStringList({ QStringLiteral("Card_1_Back.png"), QStringLiteral("Card_2_Back.png"),
            QStringLiteral("Card_3_Back.png") }));
}

TEST_F(BatchExportTest, EachFileIsInTheFormatOfItsExtensionAtTheChosenResolution)
{
#ifdef RUNS_UNDER_THREAD_SANITIZER
    GTEST_SKIP() << "ImageMagick cannot be started under ThreadSanitizer";
#endif
    for (const auto& [extension, format] : { std::pair { "tiff", "TIFF" }, std::pair { "jpeg", "JPEG" },
             std::pair { "png", "PNG" }, std::pair { "bmp", "BMP3" } }) {
        BatchExportRequest asked = request(QStringLiteral("F"), false, QString::fromLatin1(extension));
        asked.settings.dpi = 150;
        JobProgress progress;
        ASSERT_EQ(Export_Batch_File(asked, progress).outcome, BatchExportResult::Outcome::Finished);
        const QString path = exported(QStringLiteral("Card_1.%1").arg(QLatin1String(extension)));
        EXPECT_EQ(identify(path), QStringLiteral("%1 150").arg(QLatin1String(format))) << extension;
        // 243 x 153 points at 150 dpi are 506.25 x 318.75 pixels: the nearest whole ones.
        EXPECT_EQ(QImage(path).size(), QSize(506, 319)) << extension;
    }
}

TEST_F(BatchExportTest, StopAfterTheSecondCardLeavesTwoCards)
{
    BatchExportRequest asked = request(QStringLiteral("F"), false);
    writeSeries(10);
    asked.binding = std::make_shared<DataBinding>(
        DataBinding::Check_Series_Or_Excel_Use_or_not(asked.snapshot.front, {}, false, {}));
    ASSERT_EQ(asked.binding->Total_Batch_Excel_Card, 10);
    asked.workers = 4;

    JobProgress progress;
    const BatchExportResult result = Export_Batch_File(asked, progress, [&](int row) {
        if (row == 1)
            progress.stopRequested = true;
    });
    EXPECT_EQ(result.outcome, BatchExportResult::Outcome::Stopped);
    EXPECT_EQ(result.cardsWritten, 2);
    EXPECT_EQ(exportedFiles(), QStringList({ QStringLiteral("Card_1.png"), QStringLiteral("Card_2.png") }));
}

TEST_F(BatchExportTest, TheFirstWriteFailureEndsTheRun)
{
    ASSERT_TRUE(QDir().mkpath(exported(QStringLiteral("Card_2.png"))));
    JobProgress progress;
    const BatchExportResult result = Export_Batch_File(request(QStringLiteral("F"), false), progress);
    EXPECT_EQ(result.outcome, BatchExportResult::Outcome::WriteFailed);
    EXPECT_EQ(result.failedPath, exported(QStringLiteral("Card_2.png")));
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(result.cardsWritten, 1);
    EXPECT_FALSE(QFile::exists(exported(QStringLiteral("Card_3.png"))));
}

TEST_F(BatchExportTest, OnAFullDiskNoCardIsCountedAndEarlierCardsStayWhole)
{
    FullFolder disk;
    BatchExportRequest made = request(QStringLiteral("F"), false);
    made.folder = disk.path();
    JobProgress first;
    ASSERT_EQ(Export_Batch_File(made, first).outcome, BatchExportResult::Outcome::Finished);
    const QString card = QDir(disk.path()).filePath(batchExportFolderName + QStringLiteral("/Card_1.png"));
    QFile earlier(card);
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    const QByteArray before = earlier.readAll();
    earlier.close();

    disk.fill();
    JobProgress again;
    const BatchExportResult result = Export_Batch_File(made, again);
    EXPECT_EQ(result.outcome, BatchExportResult::Outcome::WriteFailed);
    EXPECT_EQ(result.error, disk.expectedReason());
    EXPECT_EQ(result.cardsWritten, 0);
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), before);
}

TEST_F(BatchExportTest, AFullDiskEndsTheRunWithTheSystemsReasonAndTheCount)
{
    FullFolder disk;
    BatchExportRequest asked = request(QStringLiteral("F"), false);
    writeSeries(20);
    asked.binding = std::make_shared<DataBinding>(
        DataBinding::Check_Series_Or_Excel_Use_or_not(asked.snapshot.front, {}, false, {}));
    asked.settings.dpi = 600;
    asked.folder = disk.path();
    // Room for a few cards, not for twenty.
    disk.fill(48 * 1024);

    JobProgress progress;
    const BatchExportResult result = Export_Batch_File(asked, progress);
    EXPECT_EQ(result.outcome, BatchExportResult::Outcome::WriteFailed);
    EXPECT_EQ(result.error, disk.expectedReason());
    EXPECT_LT(result.cardsWritten, 20);
    if (disk.isTmpfs()) {
        EXPECT_GT(result.cardsWritten, 0);
    }
    const QStringList onDisk
        = QDir(QDir(disk.path()).filePath(batchExportFolderName)).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(onDisk.size(), result.cardsWritten) << "a failed card leaves no partial file";
    EXPECT_EQ(cardsWrittenText(result),
        QStringLiteral("Cards written: %1 of 20. Not written: %2.")
            .arg(result.cardsWritten)
            .arg(20 - result.cardsWritten));
}

// A card is its sides together: a front that finds no room takes the back written just before
// it away too, so no half card is left beside the cards counted as written.
TEST_F(BatchExportTest, AFrontThatFindsNoRoomLeavesNoBackOfItsCard)
{
    FullFolder disk;
    BatchExportRequest made = request(QStringLiteral("BOTH"), false);
    made.settings.dpi = 600;
    made.folder = disk.path();
    // Row 1's picture is noise, which no encoder packs small: its front is large, its back of
    // one colour and a word is small.
    QImage noise(400, 400, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, QRandomGenerator::global()->generate() | 0xff000000u);
    ASSERT_TRUE(noise.save(QDir(data_.path()).filePath(QStringLiteral("p1.png"))));
    disk.fill(128 * 1024);

    JobProgress progress;
    const BatchExportResult result = Export_Batch_File(made, progress);
    EXPECT_EQ(result.outcome, BatchExportResult::Outcome::WriteFailed);
    EXPECT_EQ(result.failedPath, QDir(disk.path()).filePath(batchExportFolderName + QStringLiteral("/Card_1.png")));
    EXPECT_EQ(result.error, disk.expectedReason());
    EXPECT_EQ(result.cardsWritten, 0);
    const QStringList left
        = QDir(QDir(disk.path()).filePath(batchExportFolderName)).entryList(QDir::Files | QDir::Hidden);
    EXPECT_TRUE(left.isEmpty()) << "a card not written leaves " << left.join(u' ').toStdString();
}

TEST_F(BatchExportTest, AReadOnlyDiskGivesItsReasonBeforeAnyCard)
{
    FullFolder disk;
    if (!disk.isTmpfs()
        || ::mount(nullptr, QFile::encodeName(disk.path()).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
        GTEST_SKIP() << "a read-only mount needs root";
    BatchExportRequest asked = request(QStringLiteral("F"), false);
    asked.folder = disk.path();
    JobProgress progress;
    const BatchExportResult result = Export_Batch_File(asked, progress);
    EXPECT_EQ(result.outcome, BatchExportResult::Outcome::FolderFailed);
    EXPECT_EQ(result.error, QStringLiteral("Read-only file system"));
    EXPECT_EQ(cardsWrittenText(result), QStringLiteral("Cards written: 0 of 3. Not written: 3."));
}

TEST_F(BatchExportTest, AHeldRunWritesNothingUntilReleased)
{
    BatchExportRequest asked = request(QStringLiteral("F"), false);
    writeSeries(12);
    asked.binding = std::make_shared<DataBinding>(
        DataBinding::Check_Series_Or_Excel_Use_or_not(asked.snapshot.front, {}, false, {}));
    asked.workers = 4;

    JobProgress progress;
    std::atomic<int> writtenWhileHeld { 0 };
    std::atomic<bool> checking { false };
    std::atomic<bool> held { false };
    BatchExportResult result;
    std::thread run([&] {
        result = Export_Batch_File(asked, progress, [&](int row) {
            if (checking)
                ++writtenWhileHeld;
            if (row == 2) {
                progress.hold(); // as the Stop button does while it asks
                held = true;
            }
        });
    });
    // A card already on its way to the disk may still land; after that, nothing moves. Waits
    // for the hold and then for the count to settle, however slow the machine is.
    for (int waited = 0; !held && waited < 20000; waited += 10)
        QThread::msleep(10);
    EXPECT_TRUE(held);
    const int heldAt = patience::settled(progress.done);
    checking = true;
    QThread::msleep(300);
    EXPECT_EQ(progress.done, heldAt);
    EXPECT_EQ(writtenWhileHeld, 0);
    progress.release(); // "No": the run goes on to the end
    run.join();
    EXPECT_EQ(result.outcome, BatchExportResult::Outcome::Finished);
    EXPECT_EQ(result.cardsWritten, 12);
}

TEST_F(BatchExportTest, AnExportFolderThatCannotBeMadeWritesNothing)
{
    QFile blocker(QDir(out_.path()).filePath(batchExportFolderName));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    JobProgress progress;
    const BatchExportResult result = Export_Batch_File(request(QStringLiteral("F"), false), progress);
    EXPECT_EQ(result.outcome, BatchExportResult::Outcome::FolderFailed);
    EXPECT_EQ(result.cardsWritten, 0);
}

TEST(CardFileNames, TheBackNameChangesOnlyTheLastComponent)
{
    EXPECT_EQ(Create_Back_Card_Path(QStringLiteral("/cards/front.png")), QStringLiteral("/cards/front_Back.png"));
    EXPECT_EQ(Create_Back_Card_Path(QStringLiteral("/out/Card_3.png/Card_3.png")),
        QStringLiteral("/out/Card_3.png/Card_3_Back.png"));
    EXPECT_EQ(Create_Back_Card_Path(QStringLiteral("card.v2.tiff")), QStringLiteral("card.v2_Back.tiff"));
    EXPECT_EQ(Create_Front_Card_Path(QStringLiteral("/cards/front.png")), QStringLiteral("/cards/front.png"));
}

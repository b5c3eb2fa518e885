// Rows naming pictures that cannot be read whole, and texts in every script, never stop a batch:
// their cards show nothing in that place and the run names the rows.
#include "common/Globals.h"
#include "jobs/BatchExport.h"
#include "model/PictureFile.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "platform/SharedImages.h"
#include "support/HostilePictures.h"
#include "support/ScriptLetters.h"

#include <QDir>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>

#include <thread>

#include <gtest/gtest.h>

using namespace HostilePictures;

namespace {

void writeSeries(const QString& folder, const QString& name, const QStringList& values)
{
    ASSERT_TRUE(writeFile(QDir(folder).filePath(name + QStringLiteral(".txt")), (values.join(u'\n') + u'\n').toUtf8()));
}

// An image object showing each row of the series "photos".
SKTGraphicPtr imageOfPhotos(const QString& firstPhoto)
{
    auto image = SKTGraphic::create<SKTImage>();
    image->setFilePath(firstPhoto);
    image->setBounds(QRectF(10, 10, 120, 80));
    image->data_source_type = DataBinding::seriesSource;
    image->batch_list_name = QStringLiteral("photos");
    return image;
}

// Exports a card per row of the front's series into out at 72 dpi.
BatchExportResult exportRows(const QList<SKTGraphicPtr>& front, const QString& out)
{
    const auto frontSettings = Card_Property::create();
    const auto backSettings = Card_Property::create();
    BatchExportRequest request;
    request.snapshot = CardSnapshot::take(front, {}, *frontSettings, *backSettings, 0, QRectF(0, 0, 250, 153));
    request.binding
        = std::make_shared<DataBinding>(DataBinding::Check_Series_Or_Excel_Use_or_not(front, {}, false, {}));
    request.settings.dpi = 72;
    request.folder = out;
    request.workers = 4;
    JobProgress progress;
    return Export_Batch_File(request, progress);
}

struct FileTimes
{
    timespec accessed;
    timespec modified;
    timespec changed;
    off_t size;
};

FileTimes timesOf(const QString& path)
{
    struct stat status
    {
    };
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
    return { status.st_atim, status.st_mtim, status.st_ctim, status.st_size };
}

bool operator==(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Gives path the access and modification times given, as touch -r does.
void setTimes(const QString& path, const FileTimes& times)
{
    const timespec both[2] = { times.accessed, times.modified };
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), both, 0), 0);
}

// Waits until the file system's clock, which stamps change times in coarse steps, has moved
// past path's change time, so that a rewrite of path gets a change time of its own.
void waitForANewChangeTime(const QString& path, const QString& probe)
{
    const timespec changed = timesOf(path).changed;
    while (true) {
        ASSERT_TRUE(writeFile(probe, "tick"));
        if (!(timesOf(probe).changed == changed))
            return;
        std::this_thread::yield();
    }
}

QImage plain(const QColor& colour)
{
    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

// The colour in the middle of the picture on the exported card of row 1, as #rrggbb.
QString exportedPhotoColour(const QList<SKTGraphicPtr>& front)
{
    QTemporaryDir out;
    const BatchExportResult result = exportRows(front, out.path());
    EXPECT_EQ(result.cardsWritten, 1);
    const QImage card(QDir(result.exportFolder).filePath(QStringLiteral("Card_1.png")));
    return card.isNull() ? QStringLiteral("no card") : card.pixelColor(70, 50).name();
}

} // namespace

TEST(BatchHostileRows, UnreadablePicturesAreNamedAndEveryScriptIsDrawn)
{
    QTemporaryDir data;
    QTemporaryDir pictures;
    QTemporaryDir out;
    const QString savedData = Data_Folder_Path;
    Data_Folder_Path = data.path();
    const QDir folder(pictures.path());

    const QImage good = detailed(120, 80);
    const QString goodPath = folder.filePath(QStringLiteral("good.png"));
    ASSERT_TRUE(writeFile(goodPath, encoded(good, "PNG")));
    // Rows (from 1) whose picture cannot be read whole.
    const QMap<int, QString> hostile {
        { 2, folder.filePath(QStringLiteral("half.jpg")) },
        { 4, folder.filePath(QStringLiteral("scans.jpg")) },
        { 5, folder.filePath(QStringLiteral("pipe.png")) },
        { 7, folder.filePath(QStringLiteral("no-end.png")) },
        { 9, folder.filePath(QStringLiteral("no-end.jpg")) },
        { 3, folder.filePath(QStringLiteral("large-scans.jpg")) },
    };
    ASSERT_TRUE(writeFile(hostile[2], cutShort(encoded(detailed(300, 200), "JPG"), 0.5)));
    ASSERT_TRUE(writeFile(hostile[4], jpegOfScans(20000)));
    ASSERT_EQ(::mkfifo(QFile::encodeName(hostile[5]).constData(), 0600), 0);
    const QByteArray png = encoded(detailed(300, 200), "PNG");
    ASSERT_TRUE(writeFile(hostile[7], png.left(png.size() - 12)));
    const QByteArray jpeg = encoded(detailed(300, 200), "JPG");
    ASSERT_TRUE(writeFile(hostile[9], jpeg.left(jpeg.size() - 2)));
    ASSERT_TRUE(writeFile(hostile[3], plainJpegOfScans(300, QSize(5780, 5780))));

    const QStringList letters = firstLetterOfEveryScript();
    QStringList photos;
    for (int row = 1; row <= letters.size(); ++row)
        photos.append(hostile.value(row, goodPath));
    writeSeries(data.path(), QStringLiteral("photos"), photos);
    writeSeries(data.path(), QStringLiteral("names"), letters);

    auto image = imageOfPhotos(goodPath);
    auto text = SKTGraphic::create<SKTText>();
    text->Text_Value = QStringLiteral("Name");
    text->setBounds(QRectF(140, 10, 100, 40));
    text->data_source_type = DataBinding::seriesSource;
    text->batch_list_name = QStringLiteral("names");
    const QList<SKTGraphicPtr> front { image, text };

    const qint64 keptBefore = PictureFile::decodedPictures().bytesKept();
    const BatchExportResult result = exportRows(front, out.path());
    Data_Folder_Path = savedData;

    ASSERT_EQ(result.outcome, BatchExportResult::Outcome::Finished);
    EXPECT_EQ(result.cardsWritten, letters.size());
    EXPECT_EQ(result.problems.noBarcode.count, hostile.size());
    EXPECT_EQ(result.problems.noBarcode.firstRows, hostile.keys().first(RowTally::rowsNamed));
    // Every worker's card showed the one decoded copy of the good picture.
    EXPECT_LE(PictureFile::decodedPictures().bytesKept() - keptBefore, good.sizeInBytes());

    // A cut-short picture leaves its place empty: no half-grey picture.
    const QImage card(QDir(result.exportFolder).filePath(QStringLiteral("Card_2.png")));
    const QImage whole(QDir(result.exportFolder).filePath(QStringLiteral("Card_1.png")));
    ASSERT_FALSE(card.isNull());
    ASSERT_FALSE(whole.isNull());
    EXPECT_NE(card.pixel(70, 50), whole.pixel(70, 50));
    EXPECT_EQ(card.pixel(70, 50), card.pixel(5, 5));
}

TEST(BatchHostileRows, APictureReplacedUnderItsOldSizeAndTimeIsReadAnew)
{
    QTemporaryDir data;
    QTemporaryDir pictures;
    const QString savedData = Data_Folder_Path;
    Data_Folder_Path = data.path();
    const QDir folder(pictures.path());
    const QString photo = folder.filePath(QStringLiteral("photo.bmp"));
    const QString probe = folder.filePath(QStringLiteral("probe"));
    writeSeries(data.path(), QStringLiteral("photos"), { photo });
    ASSERT_TRUE(plain(Qt::red).save(photo, "BMP"));
    const QList<SKTGraphicPtr> front { imageOfPhotos(photo) };
    EXPECT_EQ(exportedPhotoColour(front), QColor(Qt::red).name());

    // Overwritten in place and given its old times back (touch -r, rsync -t, a camera's folder).
    const FileTimes before = timesOf(photo);
    waitForANewChangeTime(photo, probe);
    ASSERT_TRUE(plain(Qt::blue).save(photo, "BMP"));
    setTimes(photo, before);
    const FileTimes rewritten = timesOf(photo);
    ASSERT_EQ(rewritten.size, before.size);
    ASSERT_TRUE(rewritten.modified == before.modified);
    EXPECT_EQ(exportedPhotoColour(front), QColor(Qt::blue).name());

    // Another file of the same size and times moved over it.
    const QString other = folder.filePath(QStringLiteral("other.bmp"));
    ASSERT_TRUE(plain(Qt::green).save(other, "BMP"));
    setTimes(other, before);
    ASSERT_EQ(::rename(QFile::encodeName(other).constData(), QFile::encodeName(photo).constData()), 0);
    const FileTimes moved = timesOf(photo);
    ASSERT_EQ(moved.size, before.size);
    ASSERT_TRUE(moved.modified == before.modified);
    EXPECT_EQ(exportedPhotoColour(front), QColor(Qt::green).name());
    Data_Folder_Path = savedData;
}

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

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace HostilePictures;

namespace {

void writeSeries(const QString& folder, const QString& name, const QStringList& values)
{
    ASSERT_TRUE(writeFile(QDir(folder).filePath(name + QStringLiteral(".txt")), (values.join(u'\n') + u'\n').toUtf8()));
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
    };
    ASSERT_TRUE(writeFile(hostile[2], cutShort(encoded(detailed(300, 200), "JPG"), 0.5)));
    ASSERT_TRUE(writeFile(hostile[4], jpegOfScans(20000)));
    ASSERT_EQ(::mkfifo(QFile::encodeName(hostile[5]).constData(), 0600), 0);
    const QByteArray png = encoded(detailed(300, 200), "PNG");
    ASSERT_TRUE(writeFile(hostile[7], png.left(png.size() - 12)));
    const QByteArray jpeg = encoded(detailed(300, 200), "JPG");
    ASSERT_TRUE(writeFile(hostile[9], jpeg.left(jpeg.size() - 2)));

    const QStringList letters = firstLetterOfEveryScript();
    QStringList photos;
    for (int row = 1; row <= letters.size(); ++row)
        photos.append(hostile.value(row, goodPath));
    writeSeries(data.path(), QStringLiteral("photos"), photos);
    writeSeries(data.path(), QStringLiteral("names"), letters);

    auto image = SKTGraphic::create<SKTImage>();
    image->setFilePath(goodPath);
    image->setBounds(QRectF(10, 10, 120, 80));
    image->data_source_type = DataBinding::seriesSource;
    image->batch_list_name = QStringLiteral("photos");
    auto text = SKTGraphic::create<SKTText>();
    text->Text_Value = QStringLiteral("Name");
    text->setBounds(QRectF(140, 10, 100, 40));
    text->data_source_type = DataBinding::seriesSource;
    text->batch_list_name = QStringLiteral("names");
    const QList<SKTGraphicPtr> front { image, text };
    const auto frontSettings = Card_Property::create();
    const auto backSettings = Card_Property::create();

    const qint64 keptBefore = PictureFile::decodedPictures().bytesKept();
    BatchExportRequest request;
    request.snapshot = CardSnapshot::take(front, {}, *frontSettings, *backSettings, 0, QRectF(0, 0, 250, 153));
    request.binding
        = std::make_shared<DataBinding>(DataBinding::Check_Series_Or_Excel_Use_or_not(front, {}, false, {}));
    ASSERT_EQ(request.binding->Total_Batch_Excel_Card, letters.size());
    request.settings.dpi = 72;
    request.folder = out.path();
    request.workers = 4;
    JobProgress progress;
    const BatchExportResult result = Export_Batch_File(request, progress);
    Data_Folder_Path = savedData;

    ASSERT_EQ(result.outcome, BatchExportResult::Outcome::Finished);
    EXPECT_EQ(result.cardsWritten, letters.size());
    EXPECT_EQ(result.problems.noBarcode.count, hostile.size());
    EXPECT_EQ(result.problems.noBarcode.firstRows, hostile.keys());
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

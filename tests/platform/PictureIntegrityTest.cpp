#include "platform/PictureIntegrity.h"
#include "platform/ImageResolution.h"

#include "support/HostilePictures.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace HostilePictures;

namespace {

QString refusalOf(const QByteArray& bytes)
{
    QString error;
    const QImage image = ImageResolution::readImageData(bytes, &error);
    return image.isNull() ? error : QString();
}

} // namespace

TEST(PictureIntegrity, AJpegOfEndlessScansIsRefusedBeforeDecoding)
{
    const QByteArray hostile = jpegOfScans(20000);
    EXPECT_GT(hostile.count("\xFF\xDA"), 20000 - 1);
    EXPECT_TRUE(refusalOf(hostile).contains(QStringLiteral("more than 300 scans"))) << refusalOf(hostile).toStdString();
    EXPECT_FALSE(refusalOf(jpegOfScans(PictureIntegrity::maxJpegScans + 1)).isEmpty());
}

TEST(PictureIntegrity, WholePicturesAreReadWhateverTheirForm)
{
    const QImage original = detailed(64, 48);
    for (const QByteArray& bytes : { encoded(original, "PNG"), encoded(original, "JPG"), encoded(original, "JPG", true),
             jpegOfScans(PictureIntegrity::maxJpegScans),
             // Bytes after the end, as some cameras write them.
             encoded(original, "JPG") + QByteArray(100, '\0'), encoded(original, "PNG") + QByteArray("trailing") }) {
        QString error;
        const QImage image = ImageResolution::readImageData(bytes, &error);
        EXPECT_EQ(image.size(), QSize(64, 48)) << error.toStdString();
    }
}

TEST(PictureIntegrity, APictureCutShortAnywhereIsRefusedWhole)
{
    const QImage original = detailed(64, 48);
    const QByteArray jpeg = encoded(original, "JPG");
    const QByteArray progressive = encoded(original, "JPG", true);
    const QByteArray png = encoded(original, "PNG");
    for (const double kept : { 0.3, 0.6, 0.9, 0.99 }) {
        for (const QByteArray& whole : { jpeg, progressive, png }) {
            const QString why = refusalOf(cutShort(whole, kept));
            EXPECT_FALSE(why.isEmpty()) << kept;
        }
    }
    // Only the end marker missing: the pixels are all there, yet the file is not whole.
    EXPECT_TRUE(refusalOf(jpeg.left(jpeg.size() - 2)).contains(QStringLiteral("incomplete")));
    EXPECT_TRUE(refusalOf(png.left(png.size() - 12)).contains(QStringLiteral("incomplete")));
}

TEST(PictureIntegrity, AFileCutShortIsRefusedWithItsReason)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("half.jpg"));
    ASSERT_TRUE(writeFile(path, cutShort(encoded(detailed(200, 100), "JPG"), 0.5)));
    QString error;
    EXPECT_TRUE(ImageResolution::readImageFile(path, &error).isNull());
    EXPECT_TRUE(error.contains(QStringLiteral("incomplete"))) << error.toStdString();
}

TEST(PictureIntegrity, AJpegOfManyScansAtALargeSizeIsRefusedBeforeDecoding)
{
    const QByteArray hostile = plainJpegOfScans(PictureIntegrity::maxJpegScans, QSize(5780, 5780));
    EXPECT_LT(hostile.size(), 300 * 1024);
    const QString why = refusalOf(hostile);
    EXPECT_TRUE(why.contains(QStringLiteral("300 scans of 33.4 megapixels"))) << why.toStdString();

    // The budget is scans times pixels: 250 scans of four megapixels just fit, one more does not.
    EXPECT_EQ(PictureIntegrity::refusal(plainJpegOfScans(250, QSize(2000, 2000))), QString());
    EXPECT_FALSE(PictureIntegrity::refusal(plainJpegOfScans(251, QSize(2000, 2000))).isEmpty());
}

TEST(PictureIntegrity, ACamerasProgressiveJpegIsRead)
{
    const QByteArray photo = encoded(detailed(4000, 3000), "JPG", true);
    ASSERT_EQ(photo.count("\xFF\xDA"), 10);
    QString error;
    EXPECT_EQ(ImageResolution::readImageData(photo, &error).size(), QSize(4000, 3000)) << error.toStdString();
}

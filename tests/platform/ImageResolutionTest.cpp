#include "platform/ImageResolution.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage picture(int width, int height, int dotsPerMeter)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::gray);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

// A PNG without the pHYs chunk, as many programs write them.
QByteArray withoutPhysChunk(const QByteArray& png)
{
    const int at = png.indexOf("pHYs");
    if (at < 4)
        return png;
    return png.left(at - 4) + png.mid(at + 4 + 9 + 4);
}

TEST(ImageResolution, PngStatingAResolutionKeepsIt)
{
    const QByteArray png = encoded(picture(300, 150, 11811), "PNG"); // 300 dpi
    ASSERT_EQ(ImageResolution::statesResolution(png), std::optional<bool>(true));
    const QImage image = ImageResolution::readImageData(png);
    EXPECT_EQ(ImageResolution::pointSize(image), QSizeF(72, 36));
}

TEST(ImageResolution, PngStatingNoResolutionCountsAs72Dpi)
{
    const QByteArray png = withoutPhysChunk(encoded(picture(200, 100, 3780), "PNG"));
    ASSERT_EQ(png.indexOf("pHYs"), -1);
    EXPECT_EQ(ImageResolution::statesResolution(png), std::optional<bool>(false));
    const QImage image = ImageResolution::readImageData(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(ImageResolution::pointSize(image), QSizeF(200, 100));
}

TEST(ImageResolution, PngStating96DpiIsNotMistakenForNone)
{
    const QImage image = ImageResolution::readImageData(encoded(picture(96, 48, 3780), "PNG"));
    EXPECT_EQ(ImageResolution::pointSize(image), QSizeF(72, 36));
}

TEST(ImageResolution, JpegWithAndWithoutDensity)
{
    QByteArray jpeg = encoded(picture(150, 75, 5906), "JPG"); // 150 dpi
    ASSERT_EQ(ImageResolution::statesResolution(jpeg), std::optional<bool>(true));
    EXPECT_EQ(ImageResolution::pointSize(ImageResolution::readImageData(jpeg)), QSizeF(72, 36));

    const int jfif = jpeg.indexOf(QByteArray("JFIF\0", 5));
    ASSERT_GT(jfif, 0);
    jpeg[jfif + 7] = 0; // density unit: aspect ratio only
    EXPECT_EQ(ImageResolution::statesResolution(jpeg), std::optional<bool>(false));
    EXPECT_EQ(ImageResolution::pointSize(ImageResolution::readImageData(jpeg)), QSizeF(150, 75));
}

// Other formats: Qt's own default resolution is taken to mean that the file stated none.
TEST(ImageResolution, OtherFormatsWithQtsDefaultResolutionCountAs72Dpi)
{
    const QByteArray bmp = encoded(picture(30, 20, QImage(1, 1, QImage::Format_RGB32).dotsPerMeterX()), "BMP");
    EXPECT_FALSE(ImageResolution::statesResolution(bmp).has_value());
    EXPECT_EQ(ImageResolution::pointSize(ImageResolution::readImageData(bmp)), QSizeF(30, 20));
}

TEST(ImageResolution, UnreadableDataGivesANullImageAndAReason)
{
    QString error;
    EXPECT_TRUE(ImageResolution::readImageData(QByteArray("not a picture"), &error).isNull());
    EXPECT_FALSE(error.isEmpty());
    const QByteArray png = encoded(picture(10, 10, 2835), "PNG");
    EXPECT_TRUE(ImageResolution::readImageData(png.left(png.size() / 2)).isNull());
    error.clear();
    EXPECT_TRUE(ImageResolution::readImageFile(QStringLiteral("/nonexistent/picture.png"), &error).isNull());
    EXPECT_FALSE(error.isEmpty());
}

TEST(ImageResolution, TruncatedOrLyingHeadersAreAnsweredSafely)
{
    const QByteArray png = encoded(picture(10, 10, 2835), "PNG");
    for (int length = 0; length < png.indexOf("IDAT") + 8; ++length)
        ImageResolution::statesResolution(png.left(length)); // must not read past the end
    QByteArray huge = png;
    huge[8] = char(0xFF); // first chunk claims 4 GB
    EXPECT_EQ(ImageResolution::statesResolution(huge), std::optional<bool>(false));
    const QByteArray jpeg = encoded(picture(10, 10, 2835), "JPG");
    for (int length = 0; length < 40; ++length)
        ImageResolution::statesResolution(jpeg.left(length));
}

TEST(ImageResolution, ReadsFiles)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("photo.png"));
    ASSERT_TRUE(picture(144, 72, 5669).save(path)); // 144 dpi
    EXPECT_EQ(ImageResolution::pointSize(ImageResolution::readImageFile(path)), QSizeF(72, 36));
}

TEST(ImageResolution, SetDpiAndNormalizeSize)
{
    const QImage image = picture(300, 600, 3780);
    EXPECT_EQ(ImageResolution::pointSize(ImageResolution::setDPI(image, 300)), QSizeF(72, 144));
    EXPECT_EQ(ImageResolution::pointSize(ImageResolution::normalizeSize(image)), QSizeF(300, 600));
    // A resolution below 1 dpi would give an infinite size: it is ignored.
    EXPECT_EQ(ImageResolution::setDPI(image, 0).dotsPerMeterX(), 3780);
    EXPECT_EQ(ImageResolution::setDPI(image, -72).dotsPerMeterX(), 3780);
    EXPECT_TRUE(ImageResolution::setDPI(QImage(), 300).isNull());
}

TEST(ImageResolution, NullImageHasNoSize)
{
    EXPECT_EQ(ImageResolution::pointSize(QImage()), QSizeF(0, 0));
}

} // namespace

// The fast PNG writer must stay lossless: grey pictures as one channel, colour ones as RGB.
#include "barcodes/PngEncoder.h"

#include <QColor>

#include <gtest/gtest.h>

namespace {

QImage decoded(const QByteArray& png)
{
    return QImage::fromData(png, "PNG");
}

TEST(PngEncoder, GreyPictureRoundTripsAsOneChannel)
{
    QImage image(37, 11, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int grey = (x * 7 + y * 13) % 256;
            image.setPixel(x, y, qRgb(grey, grey, grey));
        }
    }
    image.setDotsPerMeterX(11811); // 300 dpi
    image.setDotsPerMeterY(11811);
    const QImage read = decoded(encodePngFast(image));
    ASSERT_FALSE(read.isNull());
    EXPECT_TRUE(read.isGrayscale());
    EXPECT_EQ(read.dotsPerMeterX(), 11811);
    EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), image.convertToFormat(QImage::Format_RGB32));
}

TEST(PngEncoder, ColourPictureKeepsItsColours)
{
    QImage image(20, 5, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(19, 4, qRgb(200, 10, 30)); // one coloured pixel in the last row
    const QImage read = decoded(encodePngFast(image));
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(QColor(read.pixel(19, 4)), QColor(200, 10, 30));
    EXPECT_EQ(QColor(read.pixel(0, 0)), QColor(Qt::white));
}

TEST(PngEncoder, NullImageGivesNothing)
{
    EXPECT_TRUE(encodePngFast(QImage()).isEmpty());
    QImage indexed(4, 4, QImage::Format_Mono);
    indexed.fill(0);
    EXPECT_FALSE(encodePngFast(indexed).isEmpty());
}

} // namespace

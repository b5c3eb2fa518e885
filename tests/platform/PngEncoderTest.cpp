// The fast PNG writer must stay lossless while it picks the smallest form: two colours at one
// bit, grey at one channel, colour as RGB, and alpha only where a pixel needs it.
#include "platform/PngEncoder.h"

#include <QColor>

#include <optional>

#include <gtest/gtest.h>

namespace {

QImage decoded(const QByteArray& png)
{
    return QImage::fromData(png, "PNG");
}

// Bit depth and colour type from the PNG header.
std::pair<int, int> form(const QByteArray& png)
{
    if (png.size() < 26)
        return { -1, -1 };
    return { uchar(png[24]), uchar(png[25]) };
}

// The colour of palette entry 0, or none when the file has no palette.
std::optional<QColor> firstPaletteEntry(const QByteArray& png)
{
    const qsizetype chunk = png.indexOf("PLTE");
    if (chunk < 0 || chunk + 7 > png.size())
        return std::nullopt;
    return QColor(uchar(png[chunk + 4]), uchar(png[chunk + 5]), uchar(png[chunk + 6]));
}

constexpr int grey = 0;
constexpr int rgb = 2;
constexpr int palette = 3;
constexpr int rgba = 6;

// Two colours in a pattern that has repeated rows, unique rows and a width that is not a
// whole number of bytes at one bit per pixel.
QImage twoColours(QImage::Format format, QRgb one, QRgb other)
{
    QImage image(37, 12, format);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, (y < 6 ? x % 3 == 0 : (x + y) % 5 == 0) ? one : other);
    }
    return image;
}

void expectSamePixels(const QImage& read, const QImage& written)
{
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read.convertToFormat(QImage::Format_ARGB32), written.convertToFormat(QImage::Format_ARGB32));
}

TEST(PngEncoder, TwoColoursTakeOneBitPerPixel)
{
    // Black and white in either order as grey, other pairs through a two-entry palette whose
    // first entry is the top left colour.
    const std::pair<QRgb, QRgb> pairs[] = { { qRgb(0, 0, 0), qRgb(255, 255, 255) },
        { qRgb(255, 255, 255), qRgb(0, 0, 0) }, { qRgb(0, 0, 128), qRgb(255, 255, 0) } };
    for (const auto& [first, second] : pairs) {
        for (const QImage::Format format : { QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied }) {
            SCOPED_TRACE(QColor(first).name().toStdString() + " " + std::to_string(int(format)));
            const QImage image = twoColours(format, first, second);
            const QByteArray png = encodePngFast(image);
            const bool blackAndWhite = QColor(first) != QColor(0, 0, 128);
            EXPECT_EQ(form(png), std::make_pair(1, blackAndWhite ? grey : palette));
            if (!blackAndWhite)
                EXPECT_EQ(firstPaletteEntry(png), QColor(first));
            expectSamePixels(decoded(png), image);
        }
    }
    // One colour, in short rows and in rows long enough for a palette.
    for (const QColor colour : { QColor(Qt::white), QColor(Qt::black), QColor(12, 34, 56) }) {
        for (const int width : { 9, 700 }) {
            QImage plain(width, 3, QImage::Format_RGB32);
            plain.fill(colour);
            const QByteArray png = encodePngFast(plain);
            EXPECT_EQ(form(png).first, 1);
            expectSamePixels(decoded(png), plain);
        }
    }
}

// Many long rows, each unlike the one above, on white paper keep white at 0 through a
// palette; on black paper, or where the rows repeat, they stay grey.
TEST(PngEncoder, WideBlackAndWhiteKeepsTheTopLeftColourAtZero)
{
    QImage bars(1001, 40, QImage::Format_RGB32);
    bars.fill(Qt::white);
    for (int y = 0; y < bars.height(); ++y) {
        for (int x = 20; x < 980; x += 9)
            bars.setPixel(x, y, qRgb(0, 0, 0));
    }
    const QByteArray repeated = encodePngFast(bars);
    EXPECT_EQ(form(repeated), std::make_pair(1, grey));
    expectSamePixels(decoded(repeated), bars);

    for (const QRgb paper : { qRgb(255, 255, 255), qRgb(0, 0, 0) }) {
        const QRgb ink = paper ^ 0xffffffu;
        QImage wide(1001, 40, QImage::Format_RGB32);
        wide.fill(paper);
        for (int y = 5; y < 35; ++y) {
            for (int x = 17 + y % 3; x < 990; x += 7 + (x + y) % 4)
                wide.setPixel(x, y, ink);
        }
        const QByteArray png = encodePngFast(wide);
        const bool white = paper == qRgb(255, 255, 255);
        SCOPED_TRACE(white ? "white paper" : "black paper");
        EXPECT_EQ(form(png), std::make_pair(1, white ? palette : grey));
        if (white)
            EXPECT_EQ(firstPaletteEntry(png), QColor(Qt::white));
        expectSamePixels(decoded(png), wide);
    }
}

TEST(PngEncoder, GreyPictureRoundTripsAsOneChannel)
{
    QImage image(37, 11, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int level = (x * 7 + y * 13) % 256;
            image.setPixel(x, y, qRgb(level, level, level));
        }
    }
    image.setDotsPerMeterX(11811); // 300 dpi
    image.setDotsPerMeterY(11811);
    const QByteArray png = encodePngFast(image);
    EXPECT_EQ(form(png), std::make_pair(8, grey));
    const QImage read = decoded(png);
    expectSamePixels(read, image);
    EXPECT_EQ(read.dotsPerMeterX(), 11811);
}

TEST(PngEncoder, ColourAndTransparencyAreKept)
{
    QImage colour(20, 5, QImage::Format_RGB32);
    colour.fill(Qt::white);
    colour.setPixel(19, 4, qRgb(200, 10, 30));
    colour.setPixel(0, 0, qRgb(0, 0, 0)); // a third colour
    EXPECT_EQ(form(encodePngFast(colour)), std::make_pair(8, rgb));
    expectSamePixels(decoded(encodePngFast(colour)), colour);

    // Half-transparent pixels come back unpremultiplied, as they were drawn.
    QImage clear(6, 4, QImage::Format_ARGB32_Premultiplied);
    clear.fill(Qt::transparent);
    clear.setPixel(2, 1, qPremultiply(qRgba(255, 0, 0, 128)));
    const QByteArray png = encodePngFast(clear);
    EXPECT_EQ(form(png), std::make_pair(8, rgba));
    expectSamePixels(decoded(png), clear);

    // One colour, but not an opaque one.
    clear.fill(Qt::transparent);
    EXPECT_EQ(form(encodePngFast(clear)), std::make_pair(8, rgba));
    EXPECT_EQ(qAlpha(decoded(encodePngFast(clear)).pixel(0, 0)), 0);
}

// Straight (not premultiplied) alpha is written as it is.
TEST(PngEncoder, StraightAlphaIsKept)
{
    QImage straight(5, 3, QImage::Format_ARGB32);
    straight.fill(qRgba(200, 100, 50, 77));
    const QByteArray png = encodePngFast(straight);
    EXPECT_EQ(form(png), std::make_pair(8, rgba));
    expectSamePixels(decoded(png), straight);
}

// A batch keeps its buffers from image to image: whatever form and size came before, the
// bytes are those of a fresh encoding.
TEST(PngEncoder, KeptBuffersGiveTheBytesOfFreshOnes)
{
    QImage translucent(40, 30, QImage::Format_ARGB32_Premultiplied);
    translucent.fill(qPremultiply(qRgba(10, 200, 30, 90)));
    QImage greyscale(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < greyscale.height(); ++y)
        greyscale.setPixel(y % 64, y, qRgb(y * 3, y * 3, y * 3));
    QImage colour = twoColours(QImage::Format_RGB32, qRgb(0, 0, 0), qRgb(255, 255, 255));
    colour.setPixel(5, 5, qRgb(0, 128, 0));
    const QImage sequence[] = { translucent, twoColours(QImage::Format_RGB32, qRgb(0, 0, 128), qRgb(255, 255, 0)),
        greyscale, colour, translucent };
    PngBuffers buffers;
    for (const QImage& image : sequence)
        EXPECT_EQ(encodePngFast(image, &buffers), encodePngFast(image));
}

// Pixels are packed eight at a time: a colour that turns up first anywhere in a group of
// eight, or in the last few pixels of a row, is still seen.
TEST(PngEncoder, EveryPixelPlaceCountsWhenColoursAreLearnt)
{
    for (const QImage::Format format : { QImage::Format_RGB32, QImage::Format_ARGB32 }) {
        for (const QPoint place : { QPoint(3, 0), QPoint(15, 2), QPoint(34, 5), QPoint(36, 11) }) {
            SCOPED_TRACE(std::to_string(place.x()) + "," + std::to_string(place.y()));
            QImage two = twoColours(format, qRgb(0, 0, 0), qRgb(255, 255, 255));
            two.fill(Qt::white);
            two.setPixel(place, qRgb(0, 0, 0));
            EXPECT_EQ(form(encodePngFast(two)), std::make_pair(1, grey));
            expectSamePixels(decoded(encodePngFast(two)), two);

            QImage three = twoColours(format, qRgb(0, 0, 0), qRgb(255, 255, 255));
            three.setPixel(place, qRgb(0, 128, 0));
            EXPECT_EQ(form(encodePngFast(three)), std::make_pair(8, rgb));
            expectSamePixels(decoded(encodePngFast(three)), three);
        }
    }
}

TEST(PngEncoder, OtherFormatsAndNullImages)
{
    EXPECT_TRUE(encodePngFast(QImage()).isEmpty());
    QImage indexed(4, 4, QImage::Format_Mono);
    indexed.fill(0);
    EXPECT_EQ(form(encodePngFast(indexed)).first, 1);
    QImage greyscale(5, 5, QImage::Format_Grayscale8);
    greyscale.fill(100);
    expectSamePixels(decoded(encodePngFast(greyscale)), greyscale);
}

} // namespace

#include "ImageTestHelpers.h"

#include "images/ImageProcesser.h"

#include <QTransform>

#include <limits>

namespace {

// Black picture with one white column in the middle.
QImage stripeImage(int width, int height, int stripeX)
{
    QImage image = solidImage(qRgb(0, 0, 0), width, height);
    for (int y = 0; y < height; ++y)
        image.setPixel(stripeX, y, qRgb(255, 255, 255));
    return image;
}

TEST(BoxBlur, KeepsTheInputSizeAndResolution)
{
    QImage picture = patternImage(37, 23);
    picture.setDotsPerMeterX(11811);
    picture.setDotsPerMeterY(5906);
    for (float radius : {0.5f, 3.0f, 10.0f, 500.0f}) {
        const QImage blurred = ImageProcesser::adjust_boxBlur(picture, radius);
        EXPECT_EQ(blurred.size(), picture.size()) << radius;
        EXPECT_EQ(blurred.dotsPerMeterX(), 11811);
        EXPECT_EQ(blurred.dotsPerMeterY(), 5906);
    }
}

TEST(BoxBlur, SpreadsALineEvenlyOverTheWindow)
{
    const QImage blurred = ImageProcesser::adjust_boxBlur(stripeImage(21, 5, 10), 2);
    // A window of 5 pixels: the white column spreads as 255 / 5 over x = 8..12.
    for (int x = 8; x <= 12; ++x)
        EXPECT_TRUE(colourNear(pixelAt(blurred, x, 2), qRgb(51, 51, 51))) << x;
    EXPECT_TRUE(colourNear(pixelAt(blurred, 7, 2), qRgb(0, 0, 0), 0));
    EXPECT_TRUE(colourNear(pixelAt(blurred, 13, 2), qRgb(0, 0, 0), 0));
}

TEST(BoxBlur, BlursColumnsAsItBlursRows)
{
    // Turning the picture first must not change the blur: both passes treat lines alike,
    // including the strips of columns at the right edge. Rounding between the passes
    // allows one level.
    const QImage picture = patternImage(37, 29);
    const QImage direct = ImageProcesser::adjust_boxBlur(picture, 2.5f);
    const QImage turned = ImageProcesser::adjust_boxBlur(picture.transformed(QTransform().rotate(90)), 2.5f)
                              .transformed(QTransform().rotate(-90));
    ASSERT_EQ(turned.size(), direct.size());
    for (int y = 0; y < direct.height(); ++y)
        for (int x = 0; x < direct.width(); ++x)
            ASSERT_TRUE(colourNear(pixelAt(direct, x, y), pixelAt(turned, x, y))) << x << ", " << y;
}

TEST(BoxBlur, FractionalRadiusWeighsTheOuterPixels)
{
    const QImage blurred = ImageProcesser::adjust_boxBlur(stripeImage(21, 5, 10), 1.5f);
    // Window weights 0.5, 1, 1, 1, 0.5 over a total of 4.
    EXPECT_TRUE(colourNear(pixelAt(blurred, 10, 2), qRgb(64, 64, 64)));
    EXPECT_TRUE(colourNear(pixelAt(blurred, 12, 2), qRgb(32, 32, 32)));
}

TEST(BoxBlur, EdgesDoNotFadeOrDarken)
{
    const QImage blurred = ImageProcesser::adjust_boxBlur(solidImage(qRgb(200, 40, 90), 30, 20), 6);
    EXPECT_TRUE(colourNear(pixelAt(blurred, 0, 0), qRgb(200, 40, 90), 0));
    EXPECT_TRUE(colourNear(pixelAt(blurred, 29, 19), qRgb(200, 40, 90), 0));
}

TEST(BoxBlur, WideWindowsKeepAFlatColourExact)
{
    for (float radius : {7.5f, 300.25f, 1000.0f, 2047.9f, 2500.0f}) {
        const QImage blurred = ImageProcesser::adjust_boxBlur(solidImage(qRgb(255, 1, 128), 5200, 2), radius);
        for (int x : {0, 2600, 5199})
            EXPECT_TRUE(colourNear(pixelAt(blurred, x, 1), qRgb(255, 1, 128), 0)) << radius << " at " << x;
    }
}

TEST(BoxBlur, TransparentPartsDoNotBleedDarkFringes)
{
    QImage picture(20, 4, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 0; y < 4; ++y)
        for (int x = 10; x < 20; ++x)
            picture.setPixel(x, y, qRgba(255, 255, 255, 255));
    const QRgb edge = pixelAt(ImageProcesser::adjust_boxBlur(picture, 2), 9, 1);
    EXPECT_GT(qAlpha(edge), 0);
    EXPECT_LT(qAlpha(edge), 255);
    EXPECT_TRUE(colourNear(edge, qRgba(255, 255, 255, qAlpha(edge)), 2)); // white, not grey
}

TEST(BoxBlur, ZeroNegativeOrNonFiniteRadiusLeavesThePicture)
{
    const QImage picture = patternImage(9, 9);
    EXPECT_EQ(ImageProcesser::adjust_boxBlur(picture, 0).constBits(), picture.constBits());
    EXPECT_EQ(ImageProcesser::adjust_boxBlur(picture, -4), picture);
    EXPECT_EQ(ImageProcesser::adjust_boxBlur(picture, std::numeric_limits<float>::quiet_NaN()), picture);
    EXPECT_EQ(ImageProcesser::adjust_boxBlur(picture, std::numeric_limits<float>::infinity()), picture);
}

TEST(BoxBlur, EnormousRadiusAveragesTheEdges)
{
    const QImage blurred = ImageProcesser::adjust_boxBlur(stripeImage(9, 3, 0), 3e9f);
    ASSERT_EQ(blurred.size(), QSize(9, 3));
    // The window repeats both edge columns equally: white and black average to grey.
    EXPECT_TRUE(colourNear(pixelAt(blurred, 4, 1), qRgb(128, 128, 128), 2));
}

TEST(Sharpen, RaisesLocalContrastAndLeavesFlatAreas)
{
    QImage picture = solidImage(qRgb(100, 100, 100), 9, 9);
    picture.setPixel(4, 4, qRgb(150, 150, 150));
    const QImage sharpened = ImageProcesser::adjust_Sharpness(picture, 1);
    // Centre: 150 + (150 - mean 105.6) = 194; its neighbours are pushed down.
    EXPECT_TRUE(colourNear(pixelAt(sharpened, 4, 4), qRgb(194, 194, 194), 2));
    EXPECT_LT(qRed(pixelAt(sharpened, 3, 4)), 100);
    EXPECT_TRUE(colourNear(pixelAt(sharpened, 0, 0), qRgb(100, 100, 100), 0));
}

TEST(Sharpen, KeepsTheColourOfAFlatPicture)
{
    const QImage picture = solidImage(qRgb(200, 30, 90), 5, 5);
    EXPECT_EQ(ImageProcesser::adjust_Sharpness(picture, 4).convertToFormat(QImage::Format_RGB32), picture);
    EXPECT_EQ(ImageProcesser::adjust_Sharpness(picture, 0).constBits(), picture.constBits());
}

TEST(Sharpen, ShiftsLuminanceNotHue)
{
    QImage picture = solidImage(qRgb(60, 60, 60), 5, 5);
    picture.setPixel(2, 2, qRgb(120, 80, 40));
    const QRgb centre = pixelAt(ImageProcesser::adjust_Sharpness(picture, 0.5f), 2, 2);
    // The same amount is added to every component, so the differences between them stay.
    EXPECT_NEAR(qRed(centre) - qGreen(centre), 40, 1);
    EXPECT_NEAR(qGreen(centre) - qBlue(centre), 40, 1);
    EXPECT_GT(qGreen(centre), 80);
}

TEST(SpatialEffects, NullPicturePassesThrough)
{
    EXPECT_TRUE(ImageProcesser::adjust_boxBlur(QImage(), 3).isNull());
    EXPECT_TRUE(ImageProcesser::adjust_Sharpness(QImage(), 1).isNull());
}

TEST(SpatialEffects, OnePixelPictures)
{
    const QImage dot = solidImage(qRgb(10, 20, 30), 1, 1);
    EXPECT_TRUE(colourNear(pixelAt(ImageProcesser::adjust_boxBlur(dot, 4), 0, 0), qRgb(10, 20, 30), 0));
    EXPECT_TRUE(colourNear(pixelAt(ImageProcesser::adjust_Sharpness(dot, 4), 0, 0), qRgb(10, 20, 30), 0));
}

} // namespace

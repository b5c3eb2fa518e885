#include "ImageTestHelpers.h"

#include "images/ImageRotation.h"

#include <limits>

namespace {

// 40 x 30 with a marked top-left corner (red) and top-right corner (blue).
QImage markedImage(int width = 40, int height = 30)
{
    QImage image = solidImage(qRgb(0, 255, 0), width, height);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(width - 1, 0, qRgb(0, 0, 255));
    return image;
}

TEST(ImageRotation, QuarterTurnsSwapTheSidesExactly)
{
    const QImage picture = markedImage();
    for (float degrees : {90.0f, -270.0f, 450.0f, 270.0f, -90.0f})
        EXPECT_EQ(ImageRotation::imageRotated(picture, degrees).size(), QSize(30, 40)) << degrees;
    for (float degrees : {180.0f, -180.0f, 540.0f})
        EXPECT_EQ(ImageRotation::imageRotated(picture, degrees).size(), QSize(40, 30)) << degrees;
}

TEST(ImageRotation, PositiveAnglesTurnCounterClockwise)
{
    const QImage turned = ImageRotation::imageRotated(markedImage(), 90);
    // The top edge becomes the left edge: top-right goes to top-left, top-left to bottom-left.
    EXPECT_EQ(pixelAt(turned, 0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(pixelAt(turned, 0, 39), qRgb(255, 0, 0));
    const QImage upsideDown = ImageRotation::imageRotated(markedImage(), 180);
    EXPECT_EQ(pixelAt(upsideDown, 39, 29), qRgb(255, 0, 0));
}

TEST(ImageRotation, ZeroAfterReductionReturnsThePictureItself)
{
    const QImage picture = markedImage();
    for (float degrees : {0.0f, 360.0f, -720.0f})
        EXPECT_EQ(ImageRotation::imageRotated(picture, degrees).constBits(), picture.constBits()) << degrees;
}

TEST(ImageRotation, OtherAnglesKeepTheWholePicture)
{
    const QImage square = solidImage(qRgb(0, 0, 255), 300, 300);
    const QImage turned = ImageRotation::imageRotated(square, 45);
    // The diagonal of 300 is 424.26: the canvas holds all four corners.
    EXPECT_EQ(turned.size(), QSize(425, 425));
    EXPECT_EQ(qAlpha(pixelAt(turned, 212, 1)), 255);   // top corner
    EXPECT_EQ(qAlpha(pixelAt(turned, 1, 212)), 255);   // left corner
    EXPECT_EQ(qAlpha(pixelAt(turned, 423, 212)), 255); // right corner
    EXPECT_EQ(qAlpha(pixelAt(turned, 212, 423)), 255); // bottom corner
    EXPECT_EQ(qAlpha(pixelAt(turned, 5, 5)), 0);       // outside the turned square
}

TEST(ImageRotation, BoundingBoxOfAnyAngle)
{
    const QImage picture = markedImage(400, 300);
    EXPECT_EQ(ImageRotation::imageRotated(picture, 89).size(), QSize(307, 406));
    EXPECT_EQ(ImageRotation::imageRotatedByDegrees(picture, 30).size(), QSize(497, 460));
    EXPECT_EQ(ImageRotation::imageRotatedByDegrees(picture, 90).size(), QSize(300, 400));
}

TEST(ImageRotation, KeepsTheResolution)
{
    QImage picture = markedImage();
    picture.setDotsPerMeterX(11811);
    picture.setDotsPerMeterY(5906);
    const QImage quarter = ImageRotation::imageRotated(picture, 90);
    EXPECT_EQ(quarter.dotsPerMeterX(), 5906);
    EXPECT_EQ(quarter.dotsPerMeterY(), 11811);
    EXPECT_EQ(ImageRotation::imageRotated(picture, 45).dotsPerMeterX(), 11811);
}

TEST(ImageRotation, NullPictureAndNonFiniteAngles)
{
    EXPECT_TRUE(ImageRotation::imageRotated(QImage(), 45).isNull());
    EXPECT_TRUE(ImageRotation::imageRotatedByDegrees(QImage(), 45).isNull());
    const QImage picture = markedImage();
    EXPECT_EQ(ImageRotation::imageRotatedByDegrees(picture, std::numeric_limits<double>::quiet_NaN()), picture);
    EXPECT_EQ(ImageRotation::imageRotated(picture, std::numeric_limits<float>::infinity()), picture);
}

} // namespace

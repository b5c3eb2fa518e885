#include "ImageTestHelpers.h"

#include "images/ImageProcesser.h"

#include <cmath>
#include <limits>

namespace {

const QRgb red = qRgb(255, 0, 0);
const QRgb green = qRgb(0, 255, 0);
const QRgb blue = qRgb(0, 0, 255);
const QRgb midGrey = qRgb(128, 128, 128);

QRgb centreOf(const QImage& image)
{
    return pixelAt(image, image.width() / 2, image.height() / 2);
}

TEST(ColourEffects, GreyScaleGivesLuminanceAndKeepsGreys)
{
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::GrayScale(solidImage(red))), qRgb(54, 54, 54)));
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::GrayScale(solidImage(green))), qRgb(182, 182, 182)));
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::GrayScale(solidImage(blue))), qRgb(18, 18, 18)));
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::GrayScale(solidImage(midGrey))), midGrey, 0));
}

TEST(ColourEffects, SepiaTonesGreysBrown)
{
    const QRgb toned = centreOf(ImageProcesser::Sepia(solidImage(midGrey)));
    EXPECT_TRUE(colourNear(toned, qRgb(173, 154, 120)));
    EXPECT_GT(qRed(toned), qGreen(toned));
    EXPECT_GT(qGreen(toned), qBlue(toned));
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::Sepia(solidImage(qRgb(255, 255, 255)))), qRgb(255, 255, 239)));
}

TEST(ColourEffects, InvertFlipsComponentsAndKeepsAlpha)
{
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::Invert_Color(solidImage(red))), qRgb(0, 255, 255), 0));
    QImage halfClear(4, 4, QImage::Format_ARGB32);
    halfClear.fill(qRgba(200, 100, 0, 128));
    EXPECT_TRUE(colourNear(pixelAt(ImageProcesser::Invert_Color(halfClear), 1, 1), qRgba(55, 155, 255, 128), 2));
}

TEST(ColourEffects, HueTurnsAroundTheColourWheel)
{
    const float third = float(2.0 * M_PI / 3.0);
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::adjust_Hue(solidImage(red), third)), green));
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::adjust_Hue(solidImage(green), third)), blue));
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::adjust_Hue(solidImage(red), -third)), blue));
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::adjust_Hue(solidImage(midGrey), 1.0f)), midGrey));
}

TEST(ColourEffects, ColourControls)
{
    // Saturation mixes with the luminance.
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::adjust_Color_Control(solidImage(red), 0, 0, 1)), qRgb(54, 54, 54)));
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::adjust_Color_Control(solidImage(qRgb(200, 100, 100)), 2, 0, 1)),
                           qRgb(255, 79, 79)));
    // Brightness adds on the 0..1 scale.
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::adjust_Color_Control(solidImage(qRgb(0, 0, 0)), 1, 0.5f, 1)), midGrey));
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::adjust_Color_Control(solidImage(midGrey), 1, -0.25f, 1)), qRgb(64, 64, 64)));
    // Contrast scales about mid-grey: mid-grey stays, others move away from it.
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::adjust_Color_Control(solidImage(midGrey), 1, 0, 3)), midGrey, 2));
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::adjust_Color_Control(solidImage(qRgb(100, 160, 128)), 1, 0, 2)),
                           qRgb(73, 193, 129)));
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::adjust_Color_Control(solidImage(red), 1, 0, 0)), qRgb(128, 128, 128)));
}

TEST(ColourEffects, ExposureDoublesTheLightPerStop)
{
    // Linear light of sRGB 128 is 0.2158; one stop up is 0.4317, which encodes as 176.
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::adjust_EV(solidImage(midGrey), 1)), qRgb(176, 176, 176)));
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::adjust_EV(solidImage(midGrey), -1)), qRgb(92, 92, 92)));
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::adjust_EV(solidImage(midGrey), 3)), qRgb(255, 255, 255), 0));
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::adjust_EV(solidImage(qRgb(0, 0, 0)), 5)), qRgb(0, 0, 0), 0));
}

TEST(ColourEffects, GammaRaisesComponentsToThePower)
{
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::adjust_Gamma(solidImage(midGrey), 2)), qRgb(64, 64, 64)));
    EXPECT_TRUE(colourNear(centreOf(ImageProcesser::adjust_Gamma(solidImage(qRgb(64, 64, 64)), 0.5f)), midGrey));
}

TEST(ColourEffects, NeutralValuesReturnThePictureItself)
{
    const QImage picture = patternImage(16, 16);
    EXPECT_EQ(ImageProcesser::adjust_Hue(picture, 0).constBits(), picture.constBits());
    EXPECT_EQ(ImageProcesser::adjust_Color_Control(picture, 1, 0, 1).constBits(), picture.constBits());
    EXPECT_EQ(ImageProcesser::adjust_EV(picture, 0).constBits(), picture.constBits());
    EXPECT_EQ(ImageProcesser::adjust_Gamma(picture, 1).constBits(), picture.constBits());
}

TEST(ColourEffects, EffectsNeverWriteIntoTheirInput)
{
    QImage picture(6, 6, QImage::Format_ARGB32);
    picture.fill(qRgba(10, 200, 30, 255));
    const QImage before = picture.copy();
    ImageProcesser::GrayScale(picture);
    ImageProcesser::Invert_Color(picture);
    ImageProcesser::adjust_EV(picture, 2);
    ImageProcesser::imageTintedWithColor(picture, Qt::red);
    EXPECT_EQ(picture, before);
}

TEST(ColourEffects, NonFiniteValuesSkipTheEffect)
{
    const QImage picture = patternImage(8, 8);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    EXPECT_EQ(ImageProcesser::adjust_Hue(picture, nan), picture);
    EXPECT_EQ(ImageProcesser::adjust_Color_Control(picture, 1, infinity, 1), picture);
    EXPECT_EQ(ImageProcesser::adjust_EV(picture, -infinity), picture);
    EXPECT_EQ(ImageProcesser::adjust_Gamma(picture, nan), picture);
}

TEST(ColourEffects, HugeFiniteValuesStayInRange)
{
    const QImage picture = patternImage(8, 8);
    const QImage wild = ImageProcesser::adjust_Color_Control(picture, 3e38f, -3e38f, 3e38f);
    ASSERT_EQ(wild.size(), picture.size());
    const QImage bright = ImageProcesser::adjust_EV(picture, 1e30f);
    EXPECT_TRUE(colourNear(pixelAt(bright, 4, 0), qRgb(255, 0, 255), 0));
    EXPECT_TRUE(colourNear(pixelAt(bright, 0, 0), qRgb(0, 0, 0), 0)); // black stays black
}

TEST(ColourEffects, TintCoversOnlyOpaqueParts)
{
    QImage picture(4, 2, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixel(0, 0, qRgba(255, 255, 255, 255));
    const QImage tinted = ImageProcesser::imageTintedWithColor(picture, QColor(0, 0, 255));
    EXPECT_TRUE(colourNear(pixelAt(tinted, 0, 0), qRgba(0, 0, 255, 255), 0));
    EXPECT_EQ(qAlpha(pixelAt(tinted, 3, 1)), 0);
    EXPECT_EQ(ImageProcesser::imageTintedWithColor(picture, QColor()), picture);
}

TEST(ColourEffects, NullPicturePassesThrough)
{
    EXPECT_TRUE(ImageProcesser::GrayScale(QImage()).isNull());
    EXPECT_TRUE(ImageProcesser::adjust_Hue(QImage(), 1).isNull());
    EXPECT_TRUE(ImageProcesser::adjust_EV(QImage(), 1).isNull());
    EXPECT_TRUE(ImageProcesser::imageTintedWithColor(QImage(), Qt::red).isNull());
}

} // namespace

#include "ImageTestHelpers.h"

#include "images/ImageProcesser.h"

#include <limits>
#include <thread>
#include <vector>

namespace {

TEST(ProcessingChain, AllEffectsOffReturnsThePictureUnchanged)
{
    const QImage picture = patternImage(33, 17);
    const QImage result = ImageProcesser::Get_Processed_Image(picture, ImageEffectSettings{});
    EXPECT_EQ(result, picture);
    EXPECT_EQ(result.constBits(), picture.constBits()); // not even copied
}

TEST(ProcessingChain, NullPicturePassesThrough)
{
    ImageEffectSettings everything;
    everything.gray_Scale = everything.Sepia = everything.invert_clr = true;
    everything.blr_val = 3;
    everything.rotate_image = 45;
    EXPECT_TRUE(ImageProcesser::Get_Processed_Image(QImage(), everything).isNull());
}

TEST(ProcessingChain, StepsRunInTheFixedOrder)
{
    // Grey before invert before brightness: red -> 54 -> 201 -> +0.1 -> 227.
    ImageEffectSettings settings;
    settings.gray_Scale = true;
    settings.invert_clr = true;
    settings.brt_val = 0.1f;
    const QImage result = ImageProcesser::Get_Processed_Image(solidImage(qRgb(255, 0, 0)), settings);
    EXPECT_TRUE(colourNear(pixelAt(result, 2, 2), qRgb(227, 227, 227)));

    // Sepia comes after grey: the grey picture is toned, not left grey.
    ImageEffectSettings toned;
    toned.gray_Scale = toned.Sepia = true;
    const QRgb pixel = pixelAt(ImageProcesser::Get_Processed_Image(solidImage(qRgb(128, 128, 128)), toned), 1, 1);
    EXPECT_GT(qRed(pixel), qBlue(pixel));
}

TEST(ProcessingChain, RotatedAndBlurredOutputIsWhole)
{
    ImageEffectSettings settings;
    settings.blr_val = 4;
    settings.rotate_image = 90;
    EXPECT_EQ(ImageProcesser::Get_Processed_Image(patternImage(400, 300), settings).size(), QSize(300, 400));
    settings.rotate_image = 180;
    EXPECT_EQ(ImageProcesser::Get_Processed_Image(patternImage(400, 300), settings).size(), QSize(400, 300));
}

TEST(ProcessingChain, RotationFieldIsTruncatedToWholeDegrees)
{
    ImageEffectSettings settings;
    settings.rotate_image = 89.9f; // 89: a bounding box, not a swapped quarter turn
    EXPECT_EQ(ImageProcesser::Get_Processed_Image(patternImage(400, 300), settings).size(), QSize(307, 406));
    settings.rotate_image = -0.7f; // 0: nothing to turn
    const QImage picture = patternImage(40, 30);
    EXPECT_EQ(ImageProcesser::Get_Processed_Image(picture, settings).constBits(), picture.constBits());
    settings.rotate_image = 3e20f; // beyond any integer: reduced, never overflowing
    EXPECT_FALSE(ImageProcesser::Get_Processed_Image(picture, settings).isNull());
    settings.rotate_image = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(ImageProcesser::Get_Processed_Image(picture, settings), picture);
}

TEST(ProcessingChain, AFailingFilterIsSkippedAndTheRestStillRun)
{
    ImageEffectSettings settings;
    settings.hue_val = std::numeric_limits<float>::quiet_NaN();
    settings.invert_clr = true;
    const QImage result = ImageProcesser::Get_Processed_Image(solidImage(qRgb(255, 0, 0)), settings);
    EXPECT_TRUE(colourNear(pixelAt(result, 0, 0), qRgb(0, 255, 255), 0));
}

TEST(ProcessingChain, RunsOnSeveralThreadsAtOnce)
{
    const QImage picture = patternImage(120, 80);
    ImageEffectSettings settings;
    settings.Sepia = true;
    settings.blr_val = 2;
    settings.srp_val = 0.5f;
    settings.rotate_image = 30;
    const QImage expected = ImageProcesser::Get_Processed_Image(picture, settings);
    std::vector<QImage> results(8);
    std::vector<std::thread> workers;
    for (QImage& result : results)
        workers.emplace_back([&] { result = ImageProcesser::Get_Processed_Image(picture, settings); });
    for (std::thread& worker : workers)
        worker.join();
    for (const QImage& result : results)
        EXPECT_EQ(result, expected);
}

TEST(DisplaySize, ClampsEachSideOnItsOwn)
{
    EXPECT_EQ(ImageProcesser::Set_Dimaension(QSizeF(1000, 300)), QSizeF(724, 300));
    EXPECT_EQ(ImageProcesser::Set_Dimaension(QSizeF(500, 400)), QSizeF(500, 400));
    EXPECT_EQ(ImageProcesser::Set_Dimaension(QSizeF(800, 900)), QSizeF(724, 468));
}

} // namespace

#include "render/ImageEffectsHook.h"

#include "model/ModelHooks.h"
#include "model/SKTImage.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

class ImageEffectsHookTest : public ::testing::Test
{
protected:
    void SetUp() override { ImageEffectsHook::install(); }
    void TearDown() override { ModelHooks::setImageEffects({}); }

    // A 40 x 20 picture: left half red, right half blue.
    static std::shared_ptr<SKTImage> picture(QRectF bounds)
    {
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QPainter(&image).fillRect(0, 0, 20, 20, Qt::red);
        auto object = SKTGraphic::create<SKTImage>();
        object->setPicture(image);
        object->Set_Control_File_path(QStringLiteral("picture.png"));
        object->_isDrawingStroke = false;
        object->setBounds(bounds);
        return object;
    }

    static QImage draw(SKTImage& object, QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        object.drawContentsInView(painter, false);
        return image;
    }
};

} // namespace

TEST_F(ImageEffectsHookTest, ObjectFieldsReachTheChain)
{
    auto object = picture({0, 0, 40, 20});
    object->invert_clr = true;
    QImage image = draw(*object, {40, 20});
    EXPECT_EQ(image.pixel(5, 10), qRgb(0, 255, 255));
    EXPECT_EQ(image.pixel(35, 10), qRgb(255, 255, 0));

    object->invert_clr = false;
    object->gray_Scale = true;
    image = draw(*object, {40, 20});
    const QRgb grey = image.pixel(5, 10);
    EXPECT_EQ(qRed(grey), qGreen(grey));
    EXPECT_EQ(qGreen(grey), qBlue(grey));
}

TEST_F(ImageEffectsHookTest, RotationIsTruncatedAndTheWholeResultFillsTheBounds)
{
    EXPECT_EQ(ImageEffectsHook::settingsOf(*picture({})).rotate_image, 0.0f);
    auto object = picture({0, 0, 40, 40});
    object->rotate_image = 90.9f;
    EXPECT_EQ(ImageEffectsHook::settingsOf(*object).rotate_image, 90.0f);
    // Turned a quarter: red and blue now lie one above the other, both in view.
    const QImage image = draw(*object, {40, 40});
    const QRgb top = image.pixel(20, 5);
    const QRgb bottom = image.pixel(20, 35);
    EXPECT_NE(top, bottom);
    EXPECT_TRUE((qRed(top) > 200 && qBlue(bottom) > 200) || (qBlue(top) > 200 && qRed(bottom) > 200));
}

TEST_F(ImageEffectsHookTest, BlurKeepsThePictureInPlace)
{
    auto object = picture({0, 0, 40, 20});
    object->blr_val = 3.0f;
    const QImage image = draw(*object, {40, 20});
    // Edges of the picture stay at the edges of the bounds; only the middle seam blurs.
    EXPECT_GT(qRed(image.pixel(1, 10)), 200);
    EXPECT_GT(qBlue(image.pixel(38, 10)), 200);
    EXPECT_GT(qRed(image.pixel(20, 10)), 40);
    EXPECT_GT(qBlue(image.pixel(19, 10)), 40);
}

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

TEST_F(ImageEffectsHookTest, ATurnedPictureKeepsItsProportionsAboutTheCentreOfItsBounds)
{
    // 40 x 20 at (30, 40): turned a quarter anticlockwise (90.9 counts as 90) it stands 20
    // wide and 40 high about the same centre (50, 50), its left (red) half now below, not
    // squeezed into the upright box.
    auto object = picture({30, 40, 40, 20});
    object->rotate_image = 90.9f;
    const QImage image = draw(*object, {100, 100});
    EXPECT_EQ(image.pixel(50, 35), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(50, 65), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(35, 50), qRgb(255, 255, 255)); // beside the turned picture: nothing
    EXPECT_EQ(image.pixel(65, 50), qRgb(255, 255, 255));
    // Redraws cover the corners the turned picture reaches.
    EXPECT_TRUE(object->drawingBounds().contains(QRectF(40, 30, 20, 40)));

    // Flipped and turned: the mirror of the turned picture, as before the turn moved here.
    object->setFlippedVertically(true);
    const QImage flipped = draw(*object, {100, 100});
    EXPECT_EQ(flipped.pixel(50, 35), qRgb(255, 0, 0));
    EXPECT_EQ(flipped.pixel(50, 65), qRgb(0, 0, 255));
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

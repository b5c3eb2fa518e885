#include "model/SKTImage.h"

#include "DrawingTestSupport.h"
#include "model/ModelHooks.h"
#include "support/TempResources.h"

#include <QTransform>

#include <gtest/gtest.h>

using namespace drawing_test;

namespace {

// A picture at 72 dpi: left half red, right half blue.
QImage halves(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    image.fill(Qt::blue);
    QPainter(&image).fillRect(0, 0, width / 2, height, Qt::red);
    return image;
}

std::shared_ptr<SKTImage> imageObject(const QImage& picture, QRectF bounds)
{
    auto object = SKTGraphic::create<SKTImage>();
    object->setPicture(picture);
    object->Set_Control_File_path(QStringLiteral("picture.png"));
    object->_isDrawingStroke = false;
    object->setBounds(bounds);
    return object;
}

class EffectsHook
{
public:
    explicit EffectsHook(ModelHooks::ImageEffects effects) { ModelHooks::setImageEffects(std::move(effects)); }
    ~EffectsHook() { ModelHooks::setImageEffects({}); }
};

} // namespace

TEST(SKTImageDrawingTest, PictureIsStretchedOverTheBounds)
{
    auto object = imageObject(halves(100, 100), {0, 0, 200, 100});
    const QImage image = drawObject(*object, {200, 100});
    EXPECT_TRUE(near(image.pixel(5, 50), Qt::red));
    EXPECT_TRUE(near(image.pixel(95, 50), Qt::red));
    EXPECT_TRUE(near(image.pixel(105, 50), Qt::blue));
    EXPECT_TRUE(near(image.pixel(195, 50), Qt::blue));
}

TEST(SKTImageDrawingTest, FlipsMirrorInsideTheSameBounds)
{
    auto object = imageObject(halves(40, 40), {10, 10, 80, 40});
    object->flipHorizontally();
    QImage image = drawObject(*object, {100, 60});
    EXPECT_TRUE(near(image.pixel(15, 30), Qt::blue));
    EXPECT_TRUE(near(image.pixel(85, 30), Qt::red));
    EXPECT_TRUE(near(image.pixel(5, 30), Qt::white));
    object->flipHorizontally();
    image = drawObject(*object, {100, 60});
    EXPECT_TRUE(near(image.pixel(15, 30), Qt::red));

    // Upside down: a picture red on top shows red at the bottom.
    QImage topRed = halves(40, 40).transformed(QTransform().rotate(90));
    auto vertical = imageObject(topRed, {0, 0, 40, 40});
    const QImage upright = drawObject(*vertical, {40, 40});
    vertical->flipVertically();
    const QImage flipped = drawObject(*vertical, {40, 40});
    EXPECT_EQ(upright.pixel(20, 5), flipped.pixel(20, 34));
    EXPECT_NE(upright.pixel(20, 5), upright.pixel(20, 34));
}

TEST(SKTImageDrawingTest, OpacityFadesThePictureButNotItsBorder)
{
    QImage black(20, 20, QImage::Format_RGB32);
    black.fill(Qt::black);
    auto object = imageObject(black, {10, 10, 40, 40});
    object->img_trnsp_val = 50.0f;
    object->_isDrawingStroke = true;
    object->_strokeColor = QColor(Qt::black);
    object->_strokeWidth = 4.0;
    const QImage image = drawObject(*object, {60, 60});
    EXPECT_NEAR(qGray(image.pixel(30, 30)), 128, 3);
    EXPECT_EQ(qGray(image.pixel(9, 30)), 0); // the outer half of the border
}

TEST(SKTImageDrawingTest, EmptyPathDrawsNothingBorderIncluded)
{
    auto object = imageObject(halves(20, 20), {0, 0, 40, 40});
    object->_isDrawingStroke = true;
    object->Set_Control_File_path(QString(""));
    EXPECT_FALSE(inkBox(drawObject(*object, {40, 40})).isValid());
    EXPECT_EQ(drawObject(*object, {40, 40}).pixel(20, 20), qRgb(255, 255, 255));
}

TEST(SKTImageDrawingTest, MissingPictureDrawsTheBorderOnly)
{
    auto object = SKTGraphic::create<SKTImage>();
    object->setFilePath(QStringLiteral("/nonexistent/picture.png"));
    object->setBounds({10, 10, 40, 40});
    object->_isDrawingStroke = true;
    object->_strokeColor = QColor(Qt::black);
    const QImage image = drawObject(*object, {60, 60});
    EXPECT_TRUE(isInk(image.pixel(10, 30)));
    EXPECT_FALSE(isInk(image.pixel(30, 30)));
}

TEST(SKTImageDrawingTest, NaturalSizeIsCappedAtLoad)
{
    TempResources resources;
    QImage wide(1000, 300, QImage::Format_RGB32);
    wide.fill(Qt::gray);
    const QString path = resources.path() + QStringLiteral("/wide.png");
    wide.setDotsPerMeterX(2835); // a file at 72 dpi: one point per pixel
    wide.setDotsPerMeterY(2835);
    ASSERT_TRUE(wide.save(path)); 
    auto object = SKTGraphic::create<SKTImage>();
    object->initWithPath({500, 500}, path);
    // Both sides shrink alike: the picture keeps its proportions.
    EXPECT_EQ(object->pictureSize(), QSizeF(724, 217.2));
    EXPECT_EQ(object->bounds(), QRectF(500 - 362, 500 - 108.6, 724, 217.2));
    object->setBounds({1, 2, 30, 40});
    object->setFlippedHorizontally(true);
    object->makeNaturalSize();
    EXPECT_EQ(object->bounds(), QRectF(1, 2, 724, 217.2));
    EXPECT_FALSE(object->_isFlippedHorizontally);

    object->setBounds({1, 2, 30, 40});
    object->ctrl_is_locked = true;
    object->makeNaturalSize();
    EXPECT_EQ(object->bounds(), QRectF(1, 2, 30, 40));
}

TEST(SKTImageDrawingTest, EffectsOutputIsDrawnWholeIntoTheBounds)
{
    // A chain that returns a larger picture (as a rotation does): red square on a blue
    // canvas twice the size. All of it must show, not its top-left part.
    EffectsHook hook([](const QImage& picture, const SKTGraphic&) {
        QImage grown(picture.width() * 2, picture.height() * 2, QImage::Format_RGB32);
        grown.fill(Qt::blue);
        QPainter(&grown).fillRect(picture.width() / 2, picture.height() / 2, picture.width(), picture.height(), Qt::red);
        return grown;
    });
    QImage red(20, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    auto object = imageObject(red, {0, 0, 80, 80});
    const QImage image = drawObject(*object, {80, 80});
    EXPECT_TRUE(near(image.pixel(5, 5), Qt::blue));
    EXPECT_TRUE(near(image.pixel(75, 75), Qt::blue));
    EXPECT_TRUE(near(image.pixel(40, 40), Qt::red));
}

TEST(SKTImageDrawingTest, AFailingChainLeavesThePictureWithoutEffects)
{
    EffectsHook hook([](const QImage&, const SKTGraphic&) -> QImage { throw std::runtime_error("filter broke"); });
    auto object = imageObject(halves(20, 20), {0, 0, 40, 40});
    const QImage image = drawObject(*object, {40, 40});
    EXPECT_TRUE(near(image.pixel(5, 20), Qt::red));
    EXPECT_TRUE(near(image.pixel(35, 20), Qt::blue));
}

TEST(SKTImageDrawingTest, EffectsRunAgainOnlyWhenAValueOrThePictureChanges)
{
    int runs = 0;
    EffectsHook hook([&](const QImage& picture, const SKTGraphic& object) {
        ++runs;
        QImage result = picture;
        if (object.invert_clr)
            result.invertPixels();
        return result;
    });
    auto object = imageObject(halves(20, 20), {0, 0, 40, 40});
    drawObject(*object, {40, 40});
    drawObject(*object, {40, 40});
    EXPECT_EQ(runs, 1);
    object->invert_clr = true;
    const QImage inverted = drawObject(*object, {40, 40});
    EXPECT_EQ(runs, 2);
    EXPECT_TRUE(near(inverted.pixel(5, 20), QColor(0, 255, 255)));
    object->setPicture(halves(10, 10));
    drawObject(*object, {40, 40});
    EXPECT_EQ(runs, 3);
}

TEST(SKTImageDrawingTest, CopiesKeepThePictureAndFlipsAreObserved)
{
    auto object = imageObject(halves(20, 20), {0, 0, 40, 40});
    auto copy = std::static_pointer_cast<SKTImage>(object->copy());
    EXPECT_EQ(copy->picture(), object->picture());
    EXPECT_TRUE(object->keysForValuesToObserveForUndo().contains(SKTImageIsFlippedHorizontallyKey));
    EXPECT_TRUE(object->keysForValuesToObserveForUndo().contains(SKTImageIsFlippedVerticallyKey));
    EXPECT_FALSE(object->isDrawingFill());
}

TEST(SKTImageDrawingTest, FlipsAreKeysThatUndoCanSet)
{
    auto object = imageObject(halves(20, 20), {0, 0, 40, 40});
    EXPECT_TRUE(object->setValueForKey(SKTImageIsFlippedVerticallyKey, true));
    EXPECT_TRUE(object->_isFlippedVertically);
    EXPECT_EQ(object->valueForKey(SKTImageIsFlippedVerticallyKey), QVariant(true));
    EXPECT_EQ(object->presentablePropertyNameForKey(SKTImageIsFlippedHorizontallyKey), QStringLiteral("Horizontal Flipping"));
    EXPECT_FALSE(object->setValueForKey(SKTImageIsFlippedVerticallyKey, QStringLiteral("yes")));
}

#include "model/SKTGraphic.h"
#include "model/Shape_Control.h"

#include <gtest/gtest.h>

namespace {

// Counts flips, as the image kind reacts to them.
class FlipCounter : public Shape_Control
{
public:
    static std::shared_ptr<FlipCounter> make(const QRectF& bounds)
    {
        std::shared_ptr<FlipCounter> graphic(new FlipCounter);
        graphic->init();
        graphic->setBounds(bounds);
        return graphic;
    }
    void flipHorizontally() override { ++horizontal; }
    void flipVertically() override { ++vertical; }
    int horizontal = 0;
    int vertical = 0;
};

} // namespace

TEST(SKTGraphicGeometry, ResizingThroughEachHandleMovesTheRightEdges)
{
    struct Case
    {
        qint64 handle;
        QPointF to;
        QRectF expected;
    };
    const QRectF start(10, 10, 50, 30);
    const Case cases[] = {
        {1, {0, 0}, {0, 0, 60, 40}},    {2, {99, 5}, {10, 5, 50, 35}},  {3, {70, 0}, {10, 0, 60, 40}},
        {4, {5, 99}, {5, 10, 55, 30}},  {5, {80, 99}, {10, 10, 70, 30}}, {6, {0, 50}, {0, 10, 60, 40}},
        {7, {99, 45}, {10, 10, 50, 35}}, {8, {70, 50}, {10, 10, 60, 40}},
    };
    for (const Case& c : cases) {
        auto graphic = FlipCounter::make(start);
        EXPECT_EQ(graphic->resizeByMovingHandle(c.handle, c.to), c.handle);
        EXPECT_EQ(graphic->bounds(), c.expected) << "handle " << c.handle;
        EXPECT_EQ(graphic->horizontal + graphic->vertical, 0);
    }
}

TEST(SKTGraphicGeometry, CrossingTheOppositeEdgeMirrorsTheHandleAndFlips)
{
    auto graphic = FlipCounter::make({10, 10, 50, 30});
    EXPECT_EQ(graphic->resizeByMovingHandle(8, {0, 50}), 6);
    EXPECT_EQ(graphic->bounds(), QRectF(0, 10, 10, 40));
    EXPECT_EQ(graphic->horizontal, 1);
    EXPECT_EQ(graphic->vertical, 0);

    auto upper = FlipCounter::make({10, 10, 50, 30});
    EXPECT_EQ(upper->resizeByMovingHandle(2, {30, 60}), 7);
    EXPECT_EQ(upper->bounds(), QRectF(10, 40, 50, 20));
    EXPECT_EQ(upper->vertical, 1);

    auto corner = FlipCounter::make({10, 10, 50, 30});
    EXPECT_EQ(corner->resizeByMovingHandle(1, {80, 50}), 8);
    EXPECT_EQ(corner->bounds(), QRectF(60, 40, 20, 10));
    EXPECT_EQ(corner->horizontal, 1);
    EXPECT_EQ(corner->vertical, 1);

    // Landing exactly on the opposite edge gives zero width without a flip.
    auto edge = FlipCounter::make({10, 10, 50, 30});
    edge->resizeByMovingHandle(5, {10, 20});
    EXPECT_EQ(edge->bounds().width(), 0);
    EXPECT_EQ(edge->horizontal, 0);
}

TEST(SKTGraphicGeometry, HandlesAreHitInCodeOrder)
{
    auto graphic = FlipCounter::make({10, 10, 50, 30});
    EXPECT_EQ(graphic->handleUnderPoint({10, 10}), 1);
    EXPECT_EQ(graphic->handleUnderPoint({35, 12}), 2);
    EXPECT_EQ(graphic->handleUnderPoint({60, 40}), 8);
    EXPECT_EQ(graphic->handleUnderPoint({35, 25}), 0);
    auto tiny = FlipCounter::make({0, 0, 2, 2});
    EXPECT_EQ(tiny->handleUnderPoint({1, 1}), 1); // overlapping handles: the lower code wins
}

TEST(SKTGraphicGeometry, DrawingBoundsGrowByTheOutlineOrTheHandles)
{
    auto graphic = FlipCounter::make({0, 0, 100, 50});
    graphic->_isDrawingStroke = true;
    graphic->_strokeWidth = 10;
    EXPECT_EQ(graphic->drawingBounds(), QRectF(-5, -5, 111, 61));
    graphic->_strokeWidth = 1;
    EXPECT_EQ(graphic->drawingBounds(), QRectF(-3, -3, 107, 57));
    graphic->_isDrawingStroke = false;
    graphic->_strokeWidth = 10;
    EXPECT_EQ(graphic->drawingBounds(), QRectF(-3, -3, 107, 57));
}

TEST(SKTGraphicGeometry, NaturalSizeMakesASquareOfTheShorterSide)
{
    auto graphic = FlipCounter::make({5, 5, 80, 20});
    EXPECT_TRUE(graphic->canMakeNaturalSize());
    graphic->makeNaturalSize();
    EXPECT_EQ(graphic->bounds(), QRectF(5, 5, 20, 20));
    EXPECT_FALSE(graphic->canMakeNaturalSize());
}

TEST(SKTGraphicGeometry, TranslatingSeveralObjectsLeavesLockedOnesAlone)
{
    auto moving = FlipCounter::make({0, 0, 10, 10});
    auto locked = FlipCounter::make({50, 50, 10, 10});
    locked->ctrl_is_locked = true;
    SKTGraphic::translateGraphics({moving, locked}, 5, -2);
    EXPECT_EQ(moving->bounds(), QRectF(5, -2, 10, 10));
    EXPECT_EQ(locked->bounds(), QRectF(50, 50, 10, 10));

    EXPECT_EQ(SKTGraphic::boundsOfGraphics({}), QRectF());
    EXPECT_EQ(SKTGraphic::boundsOfGraphics({moving, locked}), QRectF(5, -2, 55, 62));
    const QRectF canvas(0, 0, 243, 154);
    EXPECT_EQ(SKTGraphic::drawingBoundsOfGraphics({}, canvas), canvas);
}

TEST(SKTGraphicGeometry, SetColorTurnsTheFillOnThroughTheObservedKeys)
{
    auto graphic = FlipCounter::make({0, 0, 10, 10});
    graphic->_isDrawingFill = false;
    graphic->setColor(Qt::red);
    EXPECT_TRUE(graphic->isDrawingFill());
    EXPECT_EQ(graphic->_fillColor, QColor(Qt::red));
    EXPECT_EQ(graphic->valueForKey(SKTGraphicFillColorKey).value<QColor>(), QColor(Qt::red));
    EXPECT_FALSE(graphic->setValueForKey(SKTGraphicFillColorKey, QStringLiteral("red"))); // wrong type
    EXPECT_FALSE(graphic->setValueForKey(QStringLiteral("noSuchKey"), 1.0));
}

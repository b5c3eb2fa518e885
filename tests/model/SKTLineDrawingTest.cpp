#include "model/SKTLine.h"

#include "DrawingTestSupport.h"

#include <gtest/gtest.h>

using namespace drawing_test;

namespace {

std::shared_ptr<SKTLine> line(QPointF begin, QPointF end)
{
    auto object = SKTGraphic::create<SKTLine>();
    object->setBounds(SKTLine::boundsWithBeginPoint(begin, end, &object->_pointsRight, &object->_pointsDown));
    return object;
}

struct KeyRecorder : SKTGraphicObserver
{
    void graphicValueChanged(SKTGraphic&, const QString& key, const QVariant& oldValue) override
    {
        changes.append({key, oldValue});
    }
    QList<std::pair<QString, QVariant>> changes;
};

} // namespace

TEST(SKTLineDrawingTest, DraggingTheEndHandleKeepsTheBeginPoint)
{
    auto object = line({10, 10}, {50, 30});
    EXPECT_EQ(object->resizeByMovingHandle(SKTLine::endHandle, {0, 40}), SKTLine::endHandle);
    EXPECT_EQ(object->bounds(), QRectF(0, 10, 10, 30));
    EXPECT_FALSE(object->_pointsRight);
    EXPECT_TRUE(object->_pointsDown);
    EXPECT_EQ(object->beginPoint(), QPointF(10, 10));
    EXPECT_EQ(object->endPoint(), QPointF(0, 40));
    // A copy runs the same way.
    auto copy = std::static_pointer_cast<SKTLine>(object->copy());
    EXPECT_EQ(copy->beginPoint(), QPointF(10, 10));
    EXPECT_EQ(copy->endPoint(), QPointF(0, 40));
}

TEST(SKTLineDrawingTest, HandlesSitOnTheTwoEnds)
{
    auto object = line({10, 10}, {50, 30});
    EXPECT_EQ(object->handleUnderPoint({11, 9}), SKTLine::beginHandle);
    EXPECT_EQ(object->handleUnderPoint({49, 31}), SKTLine::endHandle);
    EXPECT_EQ(object->handleUnderPoint({30, 20}), 0);
    EXPECT_EQ(object->resizeByMovingHandle(5, {0, 0}), 5);
    EXPECT_EQ(object->bounds(), QRectF(10, 10, 40, 20));
}

TEST(SKTLineDrawingTest, HitWithinHalfTheStrokePlusTwoPointsMeasuredVertically)
{
    auto object = line({0, 0}, {100, 50});
    object->_strokeWidth = 1.0;
    EXPECT_TRUE(object->isContentsUnderPoint({40, 20 + 2.5}));
    EXPECT_TRUE(object->isContentsUnderPoint({40, 20 - 2.5}));
    EXPECT_FALSE(object->isContentsUnderPoint({40, 20 + 2.6}));
    EXPECT_FALSE(object->isContentsUnderPoint({40, 20 - 2.6}));
    EXPECT_FALSE(object->isContentsUnderPoint({150, 75}));
}

TEST(SKTLineDrawingTest, LevelAndUprightLinesCanBeHit)
{
    auto level = line({10, 20}, {90, 20});
    level->_strokeWidth = 2.0;
    EXPECT_TRUE(level->isContentsUnderPoint({50, 20}));
    EXPECT_TRUE(level->isContentsUnderPoint({50, 22.5}));
    EXPECT_FALSE(level->isContentsUnderPoint({50, 23.5}));
    EXPECT_FALSE(level->isContentsUnderPoint({120, 20}));

    auto upright = line({30, 90}, {30, 10});
    upright->_strokeWidth = 2.0;
    EXPECT_TRUE(upright->isContentsUnderPoint({30, 50}));
    EXPECT_TRUE(upright->isContentsUnderPoint({32.5, 50}));
    EXPECT_FALSE(upright->isContentsUnderPoint({34, 50}));
}

TEST(SKTLineDrawingTest, CapStylesEndTheStroke)
{
    auto object = line({20, 10}, {80, 10});
    object->_strokeWidth = 8.0;
    object->_strokeColor = QColor(Qt::black);
    object->_isDrawingStroke = false; // a line strokes whatever the switch says
    object->_line_cap_style = 0;
    QImage image = drawObject(*object, {100, 20});
    EXPECT_EQ(inkBox(image), QRect(20, 6, 60, 8));
    object->_line_cap_style = 2;
    image = drawObject(*object, {100, 20});
    EXPECT_EQ(inkBox(image), QRect(16, 6, 68, 8));
    object->_line_cap_style = 1;
    image = drawObject(*object, {100, 20});
    EXPECT_FALSE(isInk(image.pixel(16, 6)));
    EXPECT_TRUE(isInk(image.pixel(17, 10)));
}

TEST(SKTLineDrawingTest, DashedLineDashesInPoints)
{
    auto object = line({0, 10}, {100, 10});
    object->_strokeWidth = 3.0;
    object->_strokeColor = QColor(Qt::black);
    object->_stroke_border_type = QStringLiteral("DO");
    const QImage image = drawObject(*object, {100, 20}, 2.0);
    const QList<int> runs = runsAlongRow(image, 20, 0, 200);
    ASSERT_GE(runs.size(), 4);
    EXPECT_NEAR(runs.at(0), 8, 1);
    EXPECT_NEAR(runs.at(1), 12, 1);
    EXPECT_NEAR(runs.at(2), 8, 1);
}

TEST(SKTLineDrawingTest, LinesTakeNoFillAndObserveTheirEnds)
{
    auto object = line({0, 0}, {10, 10});
    EXPECT_FALSE(object->isDrawingFill());
    object->setColor(Qt::green);
    EXPECT_EQ(object->_strokeColor, QColor(Qt::green));
    const QSet<QString> keys = object->keysForValuesToObserveForUndo();
    EXPECT_FALSE(keys.contains(SKTGraphicBoundsKey));
    EXPECT_TRUE(keys.contains(SKTLineBeginPointKey));
    EXPECT_TRUE(keys.contains(SKTLineEndPointKey));
}

TEST(SKTLineDrawingTest, MovingAnEndTellsObserversBothEndsAndCanBeUndoneByKey)
{
    auto object = line({10, 10}, {50, 30});
    KeyRecorder recorder;
    object->setObserver(&recorder);
    object->resizeByMovingHandle(SKTLine::endHandle, {0, 40});
    QList<QString> keys;
    for (const auto& change : recorder.changes)
        keys.append(change.first);
    EXPECT_TRUE(keys.contains(SKTLineEndPointKey));
    for (const auto& change : recorder.changes) {
        if (change.first == SKTLineEndPointKey) {
            EXPECT_EQ(change.second.toPointF(), QPointF(50, 30));
        }
    }
    // Undo puts the old end back by key.
    EXPECT_TRUE(object->setValueForKey(SKTLineEndPointKey, QPointF(50, 30)));
    EXPECT_EQ(object->endPoint(), QPointF(50, 30));
    EXPECT_EQ(object->beginPoint(), QPointF(10, 10));
    EXPECT_EQ(object->valueForKey(SKTLineBeginPointKey).toPointF(), QPointF(10, 10));
    EXPECT_EQ(object->creationSizingHandle(), SKTLine::endHandle);
    EXPECT_TRUE(object->presentablePropertyNameForKey(SKTLineBeginPointKey).has_value());
    object->setObserver(nullptr);
}

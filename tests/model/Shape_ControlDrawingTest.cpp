#include "model/Shape_Control.h"

#include "DrawingTestSupport.h"
#include "model/ModelHooks.h"
#include "support/TempResources.h"

#include <gtest/gtest.h>

using namespace drawing_test;

namespace {

std::shared_ptr<Shape_Control> shape(const QString& code, QRectF bounds)
{
    auto object = SKTGraphic::create<Shape_Control>();
    object->Set_Shape_Type(code);
    object->setBounds(bounds);
    return object;
}

QList<QPointF> vertices(const QPainterPath& path)
{
    QList<QPointF> points;
    for (int i = 0; i < path.elementCount(); ++i)
        points.append(path.elementAt(i));
    return points;
}

class RefreshCounter
{
public:
    RefreshCounter() { ModelHooks::setRefreshCanvas([this] { ++count; }); }
    ~RefreshCounter() { ModelHooks::setRefreshCanvas({}); }
    int count = 0;
};

} // namespace

TEST(Shape_ControlDrawingTest, FivePointedStarVerticesInPathOrder)
{
    const QList<QPointF> points = vertices(shape(QStringLiteral("S"), {0, 0, 100, 50})->bezierPathForDrawing());
    const QList<QPointF> expected{{50, 0}, {79.39, 45.23}, {2.45, 17.27}, {97.55, 17.27}, {20.61, 45.23}};
    ASSERT_GE(points.size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_NEAR(points.at(i).x(), expected.at(i).x(), 0.01) << i;
        EXPECT_NEAR(points.at(i).y(), expected.at(i).y(), 0.01) << i;
    }
}

TEST(Shape_ControlDrawingTest, VariantsChooseTheirFigure)
{
    const QRectF box(10, 10, 80, 60);
    auto polygon = [&](qint32 variant) {
        auto object = shape(QStringLiteral("P"), box);
        object->polygon_type = variant;
        return object->bezierPathForDrawing();
    };
    auto doubleStar = [&](qint32 variant) {
        auto object = shape(QStringLiteral("DS"), box);
        object->double_star_type = variant;
        return object->bezierPathForDrawing();
    };
    const QPainterPath custom = shape(QStringLiteral("P"), box)->Custom_Polygon();
    EXPECT_EQ(vertices(polygon(1)), vertices(custom));
    EXPECT_EQ(vertices(polygon(8)), vertices(custom));
    // Variant 6 is six corners two turns round: a triangle traced twice.
    const QList<QPointF> triangle = vertices(polygon(6));
    ASSERT_EQ(triangle.size(), 7);
    EXPECT_EQ(triangle.at(0), triangle.at(3));
    EXPECT_EQ(vertices(polygon(2)).size(), 11);   // ten corners, then the close
    EXPECT_EQ(vertices(doubleStar(1)).size(), 8); // seven-pointed star
    EXPECT_EQ(vertices(doubleStar(5)).size(), 16);
    EXPECT_TRUE(doubleStar(0).isEmpty());
    EXPECT_TRUE(polygon(-3).isEmpty());
    EXPECT_TRUE(shape(QStringLiteral("Q"), box)->bezierPathForDrawing().isEmpty());
}

TEST(Shape_ControlDrawingTest, AVariantFromAFileIsCappedToASaneCornerCount)
{
    auto object = shape(QStringLiteral("DS"), {0, 0, 50, 50});
    object->double_star_type = 2000000000;
    EXPECT_LE(object->bezierPathForDrawing().elementCount(), 65);
    object->Set_Shape_Type(QStringLiteral("P"));
    object->polygon_type = 2147483647;
    EXPECT_LE(object->bezierPathForDrawing().elementCount(), 65);
}

TEST(Shape_ControlDrawingTest, StarCentreIsInsideFilledOrNot)
{
    auto star = shape(QStringLiteral("S"), {0, 0, 100, 100});
    EXPECT_TRUE(star->isContentsUnderPoint({50, 50}));
    star->_isDrawingFill = false;
    EXPECT_TRUE(star->isContentsUnderPoint({50, 50}));
    EXPECT_FALSE(star->isContentsUnderPoint({2, 98}));
    EXPECT_FALSE(shape(QStringLiteral("Q"), {0, 0, 100, 100})->isContentsUnderPoint({50, 50}));

    // The drawing fills the centre too.
    star->_isDrawingFill = true;
    star->_fillColor = Qt::black;
    star->_isDrawingStroke = false;
    const QImage image = drawObject(*star, {100, 100});
    EXPECT_TRUE(isInk(image.pixel(50, 50)));
}

TEST(Shape_ControlDrawingTest, EachShapeFillsItsFigureAndStrokesItsOutline)
{
    struct Case
    {
        const char* code;
        QPoint filled;    // inside the figure
        QPoint unfilled;  // inside the bounds, outside the figure
    };
    const Case cases[] = {
        {"R", {12, 12}, {-1, -1}},  {"C", {50, 50}, {12, 12}}, {"RR", {50, 12}, {11, 11}},
        {"T", {50, 80}, {15, 20}},  {"D", {50, 50}, {15, 15}}, {"S", {50, 50}, {15, 85}},
        {"DS", {50, 50}, {13, 87}}, {"P", {50, 50}, {50, 24}},
    };
    for (const Case& c : cases) {
        auto object = shape(QString::fromLatin1(c.code), {10, 10, 80, 80});
        object->_fillColor = QColor(Qt::blue);
        object->_strokeColor = QColor(Qt::red);
        object->_strokeWidth = 2.0;
        const QImage image = drawObject(*object, {100, 100});
        EXPECT_TRUE(near(image.pixel(c.filled), Qt::blue)) << c.code;
        if (c.unfilled.x() >= 0) {
            EXPECT_TRUE(near(image.pixel(c.unfilled), Qt::white)) << c.code;
        }
        // The outline is red somewhere and nothing is drawn outside the bounds and stroke.
        EXPECT_TRUE(inkBox(image).isValid()) << c.code;
        EXPECT_TRUE(QRect(8, 8, 84, 84).contains(inkBox(image))) << c.code;
    }
    // The rectangle's outline lies on its bounds.
    auto rect = shape(QStringLiteral("R"), {10, 10, 80, 80});
    rect->_strokeColor = QColor(Qt::red);
    rect->_strokeWidth = 2.0;
    const QImage image = drawObject(*rect, {100, 100});
    EXPECT_TRUE(near(image.pixel(10, 50), Qt::red));
    EXPECT_TRUE(near(image.pixel(50, 89), Qt::red));
}

TEST(Shape_ControlDrawingTest, OpacitiesFadeFillAndOutlineApart)
{
    auto object = shape(QStringLiteral("R"), {10, 10, 80, 80});
    object->_fillColor = QColor(Qt::black);
    object->alpha_val = 0.5f;
    object->_strokeColor = QColor(Qt::black);
    object->_strokeWidth = 4.0;
    object->alpha_val_stroke = 100.0f;
    const QImage image = drawObject(*object, {100, 100});
    EXPECT_NEAR(qGray(image.pixel(50, 50)), 128, 3);
    EXPECT_EQ(qGray(image.pixel(10, 50)), 0);
    // Drawing leaves the stored colour as it was.
    EXPECT_EQ(object->_fillColor.alphaF(), 1.0f);
}

TEST(Shape_ControlDrawingTest, GradientAndHatchFills)
{
    TempResources resources;
    auto object = shape(QStringLiteral("R"), {0, 0, 100, 50});
    object->_isDrawingStroke = false;
    object->_fill_type = QStringLiteral("G");
    object->_fill_Grad_clr1 = QColor(Qt::black);
    object->_fill_Grad_clr2 = QColor(Qt::white);
    object->_fill_grad_angle = 0;
    QImage image = drawObject(*object, {100, 50});
    EXPECT_LT(qGray(image.pixel(1, 25)), 10);
    EXPECT_GT(qGray(image.pixel(98, 25)), 245);

    // A hatch without a readable picture still paints its background colour.
    object->_fill_type = QStringLiteral("H");
    object->_fill_htch_clr = QColor(Qt::green);
    object->_fill_hatch_type = QStringLiteral("none");
    image = drawObject(*object, {100, 50});
    EXPECT_TRUE(near(image.pixel(50, 25), Qt::green));
}

TEST(Shape_ControlDrawingTest, HiddenShapeDrawsNothingAndAsksNoRefresh)
{
    RefreshCounter refreshes;
    auto object = shape(QStringLiteral("R"), {10, 10, 80, 80});
    object->_fillColor = QColor(Qt::black);
    object->Set_Ctrl_Is_Visible(false);
    EXPECT_FALSE(inkBox(drawObject(*object, {100, 100})).isValid());
    EXPECT_EQ(refreshes.count, 0);
    object->Set_Ctrl_Is_Visible(true);
    drawObject(*object, {100, 100});
    EXPECT_EQ(refreshes.count, 1);
}

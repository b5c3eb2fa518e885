#include "CanvasTestSupport.h"

#include <QImage>

namespace {

bool dark(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 100;
}

} // namespace

// The canvas shows an object as the printed card does: cut at a rounded card's corners.
// The canvas's own marks (a selected object's handles) are not the card's and stay whole.
TEST_F(CanvasTest, ObjectsAreCutAtARoundedCardsCornersButHandlesStayWhole)
{
    const int savedShape = Card_Shape.load();
    Card_Shape = 1;
    front->setZoomFactor(1.0);
    const QSizeF card = front->cardSize();
    const auto blackShape = [&](const QRectF& bounds) {
        const SKTGraphicPtr shape = addShape(bounds);
        auto* filled = static_cast<Shape_Control*>(shape.get());
        filled->_fillColor = Qt::black;
        filled->_isDrawingFill = true;
        filled->_isDrawingStroke = false;
        return shape;
    };
    blackShape(QRectF(QPointF(-30, -30), card + QSizeF(60, 60))); // over the whole card and past it
    const QImage plain = front->grab().toImage();
    ASSERT_EQ(plain.size(), card.toSize());
    const int right = plain.width() - 1, bottom = plain.height() - 1;
    EXPECT_TRUE(dark(plain, right / 2, bottom / 2));
    for (const auto& [x, y] : { std::pair { 0, 0 }, { right, 0 }, { 0, bottom }, { right, bottom }, { 2, 1 } })
        EXPECT_FALSE(dark(plain, x, y)) << "ink off the card's corner at " << x << ", " << y;
    EXPECT_TRUE(dark(plain, right / 2, 0)) << "the card's straight edge is inked to the edge";

    // A selected object's top left handle lies over the corner and shows there.
    blackShape(QRectF(1, 1, 40, 30));
    front->changeSelectionIndexes({ 0 });
    const QImage selected = front->grab().toImage();
    EXPECT_EQ(selected.pixel(0, 0), QColor(192, 192, 192).rgb());
    EXPECT_FALSE(dark(selected, right, 0));
    Card_Shape = savedShape;
}

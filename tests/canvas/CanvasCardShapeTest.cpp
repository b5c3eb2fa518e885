#include "CanvasTestSupport.h"

#include <QTest>

#include <QCoreApplication>
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
    QCoreApplication::processEvents();
    // The canvas has room for the shape around the card; the card is what is judged here.
    const QRect cardArea = front->cardArea().toAlignedRect();
    const QImage plain = front->grab(cardArea).toImage();
    ASSERT_EQ(plain.size(), card.toSize());
    const int right = plain.width() - 1, bottom = plain.height() - 1;
    EXPECT_TRUE(dark(plain, right / 2, bottom / 2));
    for (const auto& [x, y] : { std::pair { 0, 0 }, { right, 0 }, { 0, bottom }, { right, bottom }, { 2, 1 } })
        EXPECT_FALSE(dark(plain, x, y)) << "ink off the card's corner at " << x << ", " << y;
    EXPECT_TRUE(dark(plain, right / 2, 0)) << "the card's straight edge is inked to the edge";

    // A selected object's top left handle lies over the corner and shows there.
    blackShape(QRectF(1, 1, 40, 30));
    front->changeSelectionIndexes({ 0 });
    QCoreApplication::processEvents();
    const QImage selected = front->grab(front->cardArea().toAlignedRect()).toImage();
    EXPECT_EQ(selected.pixel(0, 0), QColor(192, 192, 192).rgb());
    EXPECT_FALSE(dark(selected, right, 0));
    Card_Shape = savedShape;
}

// A box hanging off the card keeps its handles whole: the canvas makes room for them past the
// card's edge, where they are drawn and grabbed like any other.
TEST_F(CanvasTest, AHandlePastTheCardsEdgeIsDrawnAndResizesTheBox)
{
    front->setZoomFactor(1.0);
    const QSizeF card = front->cardSize();
    const SKTGraphicPtr box = addShape(QRectF(card.width() - 60, 40, 100, 30)); // 40 points past the right edge
    front->changeSelectionIndexes({ 0 });
    QCoreApplication::processEvents();
    const QPointF rightMiddle(card.width() + 40, 55);
    const QPoint handle = front->widgetPointFromCard(rightMiddle).toPoint();
    ASSERT_TRUE(front->rect().contains(handle)) << "no room for the handle past the card";
    EXPECT_EQ(front->cardArea().size(), card);

    const QImage shown = front->grab().toImage();
    EXPECT_EQ(shown.pixelColor(handle), QColor(192, 192, 192)) << "the handle past the card is not drawn";

    // A person's drag of that handle, 25 points further out.
    QTest::mousePress(front.get(), Qt::LeftButton, Qt::NoModifier, handle);
    for (int step = 1; step <= 5; ++step)
        QTest::mouseMove(front.get(), handle + QPoint(5 * step, 0));
    QTest::mouseRelease(front.get(), Qt::LeftButton, Qt::NoModifier, handle + QPoint(25, 0));
    document.undoManager().checkpoint();
    EXPECT_NEAR(box->bounds().right(), card.width() + 65, 0.5);
    EXPECT_NEAR(box->bounds().left(), card.width() - 60, 0.5);

    // The canvas grows with the box, so its new handle can be grabbed again.
    QCoreApplication::processEvents();
    EXPECT_TRUE(front->rect().contains(front->widgetPointFromCard(QPointF(card.width() + 65, 55)).toPoint()));
}

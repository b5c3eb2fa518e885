#include "render/CombinedCardImage.h"

#include "model/Card_Property.h"
#include "model/Shape_Control.h"

#include <gtest/gtest.h>

namespace {

const QRectF cardFrame(0, 0, 243, 154);

CardSideBase filledSide(QColor fill)
{
    auto settings = Card_Property::create();
    settings->Card_fill_chk = true;
    settings->Card_fill_clr = fill;
    settings->Card_border_chk = false;
    return { settings, 0, cardFrame };
}

TEST(CombinedCardImage, FrontAboveBackOnTwiceTheCardsHeight)
{
    auto mark = SKTGraphic::create<Shape_Control>();
    mark->setBounds(QRectF(0, 0, 40, 40));
    mark->_fillColor = Qt::green;
    mark->_isDrawingStroke = false;

    const QImage image = combinedCardImage({}, filledSide(Qt::red), { mark }, filledSide(Qt::blue));
    ASSERT_EQ(image.size(), QSize(243, 308));
    EXPECT_EQ(QColor(image.pixel(120, 77)), QColor(Qt::red));
    EXPECT_EQ(QColor(image.pixel(120, 154 + 77)), QColor(Qt::blue));
    // The back's objects are drawn on the back's half, from its own top left corner.
    EXPECT_EQ(QColor(image.pixel(20, 154 + 20)), QColor(Qt::green));
    EXPECT_EQ(QColor(image.pixel(20, 20)), QColor(Qt::red));
}

} // namespace

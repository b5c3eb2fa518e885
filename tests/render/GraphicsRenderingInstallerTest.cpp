#include "render/GraphicsRenderingInstaller.h"

#include "model/CardGlobals.h"
#include "model/Card_Property.h"
#include "model/GraphicsRendering.h"
#include "model/Shape_Control.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

std::shared_ptr<Card_Property> filled(QColor colour)
{
    auto side = Card_Property::create();
    side->Card_fill_chk = true;
    side->Card_fill_clr = colour;
    return side;
}

} // namespace

TEST(GraphicsRenderingInstallerTest, TheGlobalSideChoosesTheBase)
{
    const auto front = filled(Qt::yellow);
    const auto back = filled(Qt::cyan);
    const QRectF card(0, 0, 243, 154);
    const int savedSide = Card_Front_Or_Back;
    const int savedShape = Card_Shape;
    Card_Front_Or_Back = 1;
    Card_Shape = 2;
    const CardSideBase base = GraphicsRenderingInstaller::sideNamedByCard_Front_Or_Back(front, back, card);
    EXPECT_EQ(base.settings, back);
    EXPECT_EQ(base.cardShape, 2);
    EXPECT_EQ(base.frame, card);
    Card_Front_Or_Back = 0;
    EXPECT_EQ(GraphicsRenderingInstaller::sideNamedByCard_Front_Or_Back(front, back, card).settings, front);
    Card_Front_Or_Back = savedSide;
    Card_Shape = savedShape;
}

TEST(GraphicsRenderingInstallerTest, ModelGetsPdfTiffAndPrintedSides)
{
    const auto front = filled(Qt::yellow);
    GraphicsRenderingInstaller::install([front] { return CardSideBase{front, 0, QRectF(0, 0, 243, 154)}; });
    auto object = SKTGraphic::create<Shape_Control>();
    object->setBounds({10, 10, 20, 20});
    object->_fillColor = QColor(Qt::red);
    const GraphicsRendering::Graphics graphics{object};
    const GraphicsRendering& rendering = graphicsRendering();

    EXPECT_TRUE(rendering.pdfOfGraphics(graphics).startsWith("%PDF"));
    int error = 0;
    EXPECT_FALSE(rendering.tiffOfGraphics(graphics, &error).isEmpty());
    EXPECT_TRUE(rendering.tiffOfGraphics({}, &error).isEmpty());
    EXPECT_EQ(error, 3);

    QImage page(243, 154, QImage::Format_RGB32);
    page.fill(Qt::black);
    QPainter painter(&page);
    rendering.paintGraphics(painter, graphics, QRectF(0, 0, 243, 154));
    painter.end();
    EXPECT_EQ(page.pixel(100, 100), qRgb(255, 255, 0));
    EXPECT_EQ(page.pixel(20, 20), qRgb(255, 0, 0));
    graphicsRendering() = {};
}

#include "render/GraphicsRenderingInstaller.h"

#include "model/CardGlobals.h"
#include "model/GraphicsRendering.h"

#include <QPainter>

void GraphicsRenderingInstaller::install(CurrentSide currentSide)
{
    GraphicsRendering& rendering = graphicsRendering();
    rendering.pdfOfGraphics = [currentSide](const GraphicsRendering::Graphics& graphics) {
        return SKTRenderingView::pdfDataWithGraphics_data(graphics, currentSide ? currentSide() : CardSideBase{});
    };
    rendering.tiffOfGraphics = [](const GraphicsRendering::Graphics& graphics, int* errorCode) {
        return SKTRenderingView::tiffDataWithGraphics(graphics, errorCode);
    };
    rendering.paintGraphics = [currentSide](QPainter& painter, const GraphicsRendering::Graphics& graphics,
                                            const QRectF& frame) {
        CardSideBase base = currentSide ? currentSide() : CardSideBase{};
        base.frame = frame;
        painter.save();
        SKTRenderingView(frame, graphics, base).drawRect(painter, frame);
        painter.restore();
    };
}

CardSideBase GraphicsRenderingInstaller::sideNamedByCard_Front_Or_Back(std::shared_ptr<const Card_Property> front,
                                                                      std::shared_ptr<const Card_Property> back,
                                                                      const QRectF& frontCanvasBounds)
{
    return {Card_Front_Or_Back.load() == 0 ? std::move(front) : std::move(back), Card_Shape.load(), frontCanvasBounds};
}

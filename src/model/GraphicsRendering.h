#pragma once

#include <QByteArray>
#include <QList>
#include <QRectF>

#include <functional>
#include <memory>

class QPainter;
class SKTGraphic;

// How the model gets pictures of card objects (for the clipboard, the document data and
// printing) from the renderer, which lives in a library above the model. The renderer
// installs these at start-up; until then the model offers no PDF or TIFF forms.
struct GraphicsRendering
{
    using Graphics = QList<std::shared_ptr<SKTGraphic>>;
    // PDF of the objects over their drawing bounds.
    std::function<QByteArray(const Graphics&)> pdfOfGraphics;
    // TIFF of the objects; an empty result with the error code set when there is nothing.
    std::function<QByteArray(const Graphics&, int* errorCode)> tiffOfGraphics;
    // Draws the objects over a side's base into the frame, for printing.
    std::function<void(QPainter&, const Graphics&, const QRectF& frame)> paintGraphics;
};

GraphicsRendering& graphicsRendering();

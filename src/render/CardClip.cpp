#include "render/CardClip.h"

#include "model/SKTText.h"
#include "render/CardBasePainter.h"

#include <QPainter>

namespace CardClip {

QRectF paintedArea(const SKTGraphic& graphic)
{
    // A text's drawing bounds leave room for its selection handles: a name box set against
    // the card's edge would count as reaching past it, and every character be clipped.
    if (dynamic_cast<const SKTText*>(&graphic)) {
        const double frame = graphic.isDrawingStroke() ? graphic.strokeWidth() / 2.0 : 0.0;
        return graphic.bounds().adjusted(-frame, -frame, frame, frame);
    }
    return graphic.drawingBounds();
}

bool reachesPast(const QPainterPath& outline, const QRectF& area)
{
    return !outline.contains(area);
}

bool reachesPast(const QPainterPath& outline, const SKTGraphic& graphic)
{
    return reachesPast(outline, paintedArea(graphic));
}

void cutTo(QPainter& painter, const QRectF& card, int cardShape)
{
    if (CardBasePainter::isRectangle(cardShape))
        painter.setClipRect(card, Qt::IntersectClip);
    else
        painter.setClipPath(CardBasePainter::cardOutline(card, cardShape), Qt::IntersectClip);
}

} // namespace CardClip

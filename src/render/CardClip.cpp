#include "render/CardClip.h"

#include "model/SKTGraphic.h"
#include "render/CardBasePainter.h"

#include <QPainter>

#include <algorithm>

namespace CardClip {

bool reachesPast(const QPainterPath& outline, const QRectF& area)
{
    if (area.isEmpty())
        return false;
    // A card's outline is convex, so an area lies inside when its corners do. Each is taken
    // a hair inwards: an area against the card's straight edge is inside, though the path's
    // own test for a rectangle says not (and a point on an edge may fall either way).
    constexpr double hair = 1e-3;
    const double dx = std::min(hair, area.width() / 2), dy = std::min(hair, area.height() / 2);
    const QRectF inner = area.adjusted(dx, dy, -dx, -dy);
    for (const QPointF& corner : { inner.topLeft(), inner.topRight(), inner.bottomLeft(), inner.bottomRight() }) {
        if (!outline.contains(corner))
            return true;
    }
    return false;
}

bool reachesPast(const QPainterPath& outline, const SKTGraphic& graphic)
{
    return graphic.ctrl_is_visible && reachesPast(outline, graphic.paintedBounds());
}

void cutTo(QPainter& painter, const QRectF& card, int cardShape)
{
    if (CardBasePainter::isRectangle(cardShape))
        painter.setClipRect(card, Qt::IntersectClip);
    else
        painter.setClipPath(CardBasePainter::cardOutline(card, cardShape), Qt::IntersectClip);
}

} // namespace CardClip

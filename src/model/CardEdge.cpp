#include "model/CardEdge.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double cardCornerRadius = 10.0;
// Below a quarter point a cut shows nothing: the card's own rounding stays quiet.
constexpr double tolerance = 0.25;

} // namespace

QPainterPath CardEdge::outline(const QRectF& rect, int cardShape)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    if (cardShape == 1)
        path.addRoundedRect(rect, cardCornerRadius, cardCornerRadius);
    else if (cardShape == 2)
        path.addEllipse(rect);
    else
        path.addRect(rect);
    return path;
}

CardEdge::CardEdge(const QRectF& card, int cardShape)
{
    const QRectF grown = card.normalized().adjusted(-tolerance, -tolerance, tolerance, tolerance);
    outline_ = outline(grown, cardShape);
    // The path caches its bounds on first use; filled now, copies on other threads only read.
    outline_.controlPointRect();
    outline_.boundingRect();
    if (cardShape == 1) {
        const double dx = std::min(cardCornerRadius, grown.width() / 2.0);
        const double dy = std::min(cardCornerRadius, grown.height() / 2.0);
        wide_ = grown.adjusted(0.0, dy, 0.0, -dy);
        tall_ = grown.adjusted(dx, 0.0, -dx, 0.0);
    } else if (cardShape == 2) {
        // The rectangle inscribed in the ellipse with the corners on its diagonals.
        const double inset = (1.0 - 1.0 / std::sqrt(2.0)) / 2.0;
        wide_ = tall_ = grown.adjusted(grown.width() * inset, grown.height() * inset, -grown.width() * inset,
            -grown.height() * inset);
    } else {
        wide_ = tall_ = grown;
    }
}

bool CardEdge::surelyHolds(const QRectF& inkBox) const
{
    if (wide_.contains(inkBox) || tall_.contains(inkBox))
        return true;
    // Every card outline is convex: it holds a box when it holds the box's corners.
    return outline_.contains(inkBox.topLeft()) && outline_.contains(inkBox.topRight())
        && outline_.contains(inkBox.bottomLeft()) && outline_.contains(inkBox.bottomRight());
}

bool CardEdge::holds(const QPainterPath& ink) const
{
    return outline_.contains(ink);
}

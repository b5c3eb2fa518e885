#pragma once

#include <QPainterPath>
#include <QRectF>

// The card's outline, and where ink on the card shows whole: inside that outline. The base is
// filled in it and cards are cut to it, so ink past it is lost on every card.
class CardEdge
{
public:
    // The card's outline on a rectangle: a rounded rectangle (radius 10 points) for shape 1,
    // an ellipse for 2, the rectangle for any other value.
    static QPainterPath outline(const QRectF& rect, int cardShape);

    CardEdge(const QRectF& card, int cardShape);

    // Whether ink of this bounding box lies inside the outline, without looking at its shape:
    // true for a box the outline holds whole.
    bool surelyHolds(const QRectF& inkBox) const;
    // Whether the outline holds the whole of this ink.
    bool holds(const QPainterPath& ink) const;

private:
    QPainterPath outline_;
    // Two rectangles inside the outline, one full width and one full height.
    QRectF wide_;
    QRectF tall_;
};

#pragma once

#include <QPainterPath>
#include <QRectF>

class Card_Property;
class QPainter;

// Paints the base of a card side: the card's outline filled white, the side's fill (solid,
// gradient, hatch pattern or background picture), then its border. Plain drawing code: it
// reads only what it is given, so the canvas, the printer and export workers share it.
class CardBasePainter
{
public:
    // The card's outline on a rectangle (CardEdge::outline): a rounded rectangle (radius 10
    // points) for shape 1, an ellipse for 2, the rectangle for any other value.
    static QPainterPath cardOutline(const QRectF& rect, int cardShape);

    // Paints the base of the side whose settings are given on the rectangle being drawn.
    // A stretched background picture fills frontCanvasBounds (the card's full rectangle),
    // whatever the outline. The painter's state is left as it was.
    static void Card_Base_Drawing(QPainter& painter, const QRectF& rect, const Card_Property& side,
                                  int cardShape, const QRectF& frontCanvasBounds);
};

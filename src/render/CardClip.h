#pragma once

#include <QPainterPath>
#include <QRectF>

class QPainter;
class SKTGraphic;

// Cutting what is drawn to the card's shape, shared by the canvas, export and print so that
// all three show the same card. A clip is slow to draw and adds its outline to a PDF: it is
// set only where something reaches past the card.
namespace CardClip {

// Whether ink on area could land outside a card's outline (an area on its edge does not;
// an empty one holds no ink).
bool reachesPast(const QPainterPath& outline, const QRectF& area);

// Whether what the object draws could land outside the outline, judged by where it leaves
// ink (not by the room its handles take): a hidden object draws nothing.
bool reachesPast(const QPainterPath& outline, const SKTGraphic& graphic);

// Cuts the painter's drawing to the card's outline on card, within any clip it has: a
// plain rectangle for a rectangular card.
void cutTo(QPainter& painter, const QRectF& card, int cardShape);

} // namespace CardClip

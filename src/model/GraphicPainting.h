#pragma once

#include <QPainterPath>
#include <QRectF>
#include <Qt>

class QPainter;
class SKTGraphic;

// The fill-and-stroke procedure that shapes, lines, text and pictures share, reading the
// object's fill, outline and opacity fields.
//
// The colours are given the object's opacity here, on the painter's side: drawing leaves
// the object's fields as they are, so that the same object can be drawn on several
// threads at once.
class GraphicPainting
{
public:
    enum class Hatch { Allowed, Ignored };

    // Fills the path by the object's fill type: "G" gradient at the object's angle, "H"
    // hatch pattern over its background colour (when allowed), anything else solid.
    static void fill(QPainter& painter, const QPainterPath& path, const SKTGraphic& object, Hatch hatch);

    // Strokes the path with the object's outline colour, width and border code.
    static void stroke(QPainter& painter, const QPainterPath& path, const SKTGraphic& object,
                       Qt::PenCapStyle cap = Qt::FlatCap);

    // The rectangular border that text, image and signature objects draw on their bounds.
    static void strokeBounds(QPainter& painter, const SKTGraphic& object);

    // How far the object's outline reaches out from the path it follows: half its width, a
    // hairline (width 0) taken as a point wide.
    static double strokeReach(const SKTGraphic& object);
    // The box that the object's outline along the path covers, mitred corners and caps included.
    static QRectF strokedArea(const QPainterPath& path, const SKTGraphic& object, Qt::PenCapStyle cap = Qt::FlatCap);
};

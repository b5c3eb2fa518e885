#pragma once

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QList>
#include <QPainterPath>
#include <QPen>
#include <QRectF>
#include <QString>

class QPainter;

// The pens and fills that every card object and the card's base share. Card drawing works
// in points on a y-down plane; these helpers keep to that:
// - pens have flat caps and mitre joins (limit 10), and dash lengths are given in points;
// - a gradient at an angle spans the whole box in that direction;
// - hatch textures are laid from the card's origin, so the canvas, the export and the
//   print agree tile for tile.
class CardPainting
{
public:
    // Dash lengths in points for a border code: "DA", "DO", "DD", "DDD"; empty (solid) for
    // "S" and any other code.
    static QList<qreal> borderDashLengths(const QString& borderCode);

    // An outline pen of the given width in points for a path of the given length. Dashes stay
    // in points whatever the width. What a file may hold is bounded here, for every outline
    // of the card and its objects, so that one outline costs milliseconds to draw: the width
    // is drawnWidth(width), and dashes too many for the path, or too many for a pen that
    // wide, give a solid line (Qt's work grows with the dashes times the pen's width).
    static QPen outlinePen(const QColor& color, double width, const QString& borderCode, Qt::PenCapStyle cap,
                           double pathLength);

    // Strokes the path with an outline pen. Qt's stroker loses curves under a pen wider than
    // the path (it draws part of the outline, or none): such a path is stroked as fine lines
    // and the outline, made whole, filled.
    static void strokePath(QPainter& painter, const QPainterPath& path, const QPen& pen);

    // The width an outline is drawn at: a negative or non-finite width draws the thinnest
    // line, and none is drawn wider than widestPen. The object keeps the width it was given.
    static double drawnWidth(double width);
    // Ten times the widest outline the panels offer, wider than the larger side of the usual
    // cards: a wider pen covers no more of a card that its path lies on, and only costs time.
    static constexpr double widestPen = 1000.0;

    // A two-colour gradient across the box at an angle in degrees, measured from +x
    // towards +y: the start colour on one side of the box, the end colour on the opposite.
    static QLinearGradient angledGradient(const QRectF& box, double degrees, const QColor& from,
                                          const QColor& to);

    // The hatch picture named by a pattern (Resources/Fill_Style_Image/<name>.png), null
    // when there is none or it cannot be read.
    static QImage hatchPicture(const QString& patternName);

    // A brush that repeats the picture at its size in points, from the card's origin.
    static QBrush tiledBrush(const QImage& picture);

    // A colour with an opacity fraction (above 1 counts as 1, below 0 as 0, NaN as 1).
    // An invalid colour stays invalid.
    static QColor withOpacity(QColor color, double opacity);
    static double clampedOpacity(double opacity);
};

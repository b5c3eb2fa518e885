// The figures of a shape object, their drawing and their hit test.
#include "model/Shape_Control.h"

#include "model/GraphicPainting.h"
#include "model/ModelHooks.h"

#include <QPainter>

#include <cmath>

namespace {

// Files may hold any variant; a figure never gets more corners than this.
constexpr qint32 maxPolygonCorners = 64;

// The figure of a variant code, as a side count for the star-polygon builder.
qint32 doubleStarSides(qint32 variant)
{
    switch (variant) {
    case 1: return 7;
    case 2: return 9;
    case 3: return 11;
    case 4: return 13;
    case 5: return 15;
    default: return variant;
    }
}

qint32 polygonSides(qint32 variant)
{
    switch (variant) {
    case 2: return 10;
    case 3: return 12;
    case 4: return 14;
    case 5: return 16;
    default: return variant;
    }
}

QPointF singlePrecision(double x, double y)
{
    return {double(float(x)), double(float(y))};
}

QPainterPath windingPath()
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    return path;
}

} // namespace

QPainterPath Shape_Control::Rectangle_path() const
{
    QPainterPath path = windingPath();
    path.addRect(_bounds);
    return path;
}

QPainterPath Shape_Control::Circle_path() const
{
    QPainterPath path = windingPath();
    path.addEllipse(_bounds);
    return path;
}

QPainterPath Shape_Control::Rounded_Rectangle_path() const
{
    QPainterPath path = windingPath();
    path.addRoundedRect(_bounds, cor_rad_val_val, cor_rad_val_val);
    return path;
}

QPainterPath Shape_Control::Triangle_path() const
{
    const float x = float(_bounds.x()), y = float(_bounds.y());
    const float w = float(_bounds.width()), h = float(_bounds.height());
    QPainterPath path = windingPath();
    path.moveTo(x, y + h);
    path.lineTo(x + w / 2, y);
    path.lineTo(x + w, y + h);
    path.closeSubpath();
    return path;
}

QPainterPath Shape_Control::Diamond_path() const
{
    const float x = float(_bounds.x()), y = float(_bounds.y());
    const float w = float(_bounds.width()), h = float(_bounds.height());
    QPainterPath path = windingPath();
    path.moveTo(x, y + h / 2);
    path.lineTo(x + w / 2, y);
    path.lineTo(x + w, y + h / 2);
    path.lineTo(x + w / 2, y + h);
    path.closeSubpath();
    return path;
}

QPainterPath Shape_Control::Custom_Polygon() const
{
    const double x = _bounds.x(), y = _bounds.y(), w = _bounds.width(), h = _bounds.height();
    QPainterPath path = windingPath();
    path.moveTo(x, y);
    path.lineTo(x + w / 2, y + h / 4);
    path.lineTo(x + w, y);
    path.lineTo(x + 3 * w / 4, y + h / 2);
    path.lineTo(x + w, y + h);
    path.lineTo(x + w / 2, y + 3 * h / 4);
    path.lineTo(x, y + h);
    path.lineTo(x + w / 4, y + h / 2);
    path.closeSubpath();
    return path;
}

QPainterPath Shape_Control::Polygon_With_Diffrent_Sides(qint32 sides) const
{
    QPainterPath path = windingPath();
    if (sides <= 0)
        return path;
    sides = std::min(sides, maxPolygonCorners);
    const double cx = _bounds.x() + _bounds.width() / 2, cy = _bounds.y() + _bounds.height() / 2;
    const double rx = _bounds.width() / 2, ry = _bounds.height() / 2;
    const double start = -1.5707963267948966;
    // Two full turns: every second corner is joined, so odd counts make stars.
    const double step = 12.566370614359172 / sides;
    for (qint32 k = 0; k < sides; ++k) {
        const double angle = start + k * step;
        const QPointF vertex = singlePrecision(cx + rx * std::cos(angle), cy + ry * std::sin(angle));
        if (k == 0)
            path.moveTo(vertex);
        else
            path.lineTo(vertex);
    }
    path.closeSubpath();
    return path;
}

QPainterPath Shape_Control::bezierPathForDrawing() const
{
    const QString& shape = _shape_type;
    if (shape == QLatin1String("R"))
        return Rectangle_path();
    if (shape == QLatin1String("C"))
        return Circle_path();
    if (shape == QLatin1String("RR"))
        return Rounded_Rectangle_path();
    if (shape == QLatin1String("T"))
        return Triangle_path();
    if (shape == QLatin1String("D"))
        return Diamond_path();
    if (shape == QLatin1String("S"))
        return Polygon_With_Diffrent_Sides(5);
    if (shape == QLatin1String("DS"))
        return Polygon_With_Diffrent_Sides(doubleStarSides(double_star_type));
    if (shape == QLatin1String("P")) {
        if (polygon_type == 1 || polygon_type == 8)
            return Custom_Polygon();
        return Polygon_With_Diffrent_Sides(polygonSides(polygon_type));
    }
    return windingPath();
}

void Shape_Control::drawContentsInView(QPainter& painter, bool)
{
    if (!ctrl_is_visible)
        return;
    const QPainterPath path = bezierPathForDrawing();
    if (!path.isEmpty()) {
        if (isDrawingFill())
            GraphicPainting::fill(painter, path, *this, GraphicPainting::Hatch::Allowed);
        if (isDrawingStroke())
            GraphicPainting::stroke(painter, path, *this);
    }
    ModelHooks::Refresh_Canvas();
}

QRectF Shape_Control::paintedBounds() const
{
    const QPainterPath path = bezierPathForDrawing();
    QRectF area = isDrawingFill() ? path.boundingRect() : QRectF();
    if (isDrawingStroke())
        area |= GraphicPainting::strokedArea(path, *this);
    return area;
}

bool Shape_Control::isContentsUnderPoint(const QPointF& point) const
{
    // Winding rule: the centre of a self-crossing star is inside it.
    return bezierPathForDrawing().contains(point);
}

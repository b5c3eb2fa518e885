// Drawing a line, its two handles, and hitting it.
#include "model/SKTLine.h"

#include "model/CardPainting.h"
#include "model/GraphicPainting.h"
#include "model/ModelHooks.h"

#include <QPainter>

#include <cmath>

namespace {

Qt::PenCapStyle capStyle(qint32 code)
{
    switch (code) {
    case 1: return Qt::RoundCap;
    case 2: return Qt::SquareCap;
    default: return Qt::FlatCap;
    }
}

} // namespace

QPainterPath SKTLine::bezierPathForDrawing() const
{
    QPainterPath path;
    path.moveTo(beginPoint());
    path.lineTo(endPoint());
    return path;
}

void SKTLine::drawContentsInView(QPainter& painter, bool)
{
    if (!ctrl_is_visible)
        return;
    GraphicPainting::stroke(painter, bezierPathForDrawing(), *this, capStyle(Get_Line_Cap_Style()));
    ModelHooks::Refresh_Canvas();
}

QRectF SKTLine::paintedBounds() const
{
    return GraphicPainting::strokedArea(bezierPathForDrawing(), *this, capStyle(Get_Line_Cap_Style()));
}

void SKTLine::drawHandlesInView(QPainter& painter, bool lock_hai)
{
    drawHandleInView(painter, beginPoint(), lock_hai);
    drawHandleInView(painter, endPoint(), lock_hai);
}

bool SKTLine::isContentsUnderPoint(const QPointF& point) const
{
    const double tolerance = CardPainting::drawnWidth(_strokeWidth) / 2.0 + 2.0;
    // A level or upright line has flat bounds; the tolerance keeps it clickable.
    const QRectF area = _bounds.adjusted(-tolerance, -tolerance, tolerance, tolerance);
    if (!(point.x() >= area.left() && point.x() < area.right() && point.y() >= area.top()
          && point.y() < area.bottom()))
        return false;
    const QPointF begin = beginPoint();
    const QPointF end = endPoint();
    const double dx = end.x() - begin.x();
    if (dx == 0.0)
        return std::abs(point.x() - begin.x()) <= tolerance;
    // Vertical distance from the line, so steep lines are harder to hit off their axis.
    const double slope = (end.y() - begin.y()) / dx;
    return std::abs((point.x() - begin.x()) * slope - (point.y() - begin.y())) <= tolerance;
}

// One selection handle: its drawing and its hit area.
#include "model/SKTGraphic.h"

#include <QPainter>

namespace {
constexpr double handleWidth = 6.0;
constexpr double handleHalfWidth = 3.0;

QRectF handleRect(const QPointF& point)
{
    return {point.x() - handleHalfWidth, point.y() - handleHalfWidth, handleWidth, handleWidth};
}
} // namespace

void SKTGraphic::drawHandleInView(QPainter& painter, const QPointF& point, bool lock_hai) const
{
    const QRectF rect = handleRect(point);
    painter.fillRect(rect.translated(1.0, 1.0), QColor(64, 64, 64));
    painter.fillRect(rect, lock_hai ? QColor(Qt::red) : QColor(192, 192, 192));
}

bool SKTGraphic::isHandleAtPoint(const QPointF& handlePoint, const QPointF& point) const
{
    return handleRect(handlePoint).contains(point);
}

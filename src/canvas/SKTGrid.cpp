#include "canvas/SKTGrid.h"

#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include <cmath>

SKTGrid::SKTGrid(QObject* parent)
    : QObject(parent)
    , _color(Qt::lightGray)
{
}

SKTGrid::~SKTGrid()
{
    stopHidingTimer();
}

void SKTGrid::setSpacing(double spacing)
{
    if (spacing == _spacing)
        return;
    _spacing = spacing;
    if (_spacing > 0.0 && !_isAlwaysShown) {
        if (_hidingTimer) {
            _hidingTimer->start(SKTGridTemporaryShowingTime);
        } else {
            _hidingTimer = new QTimer(this);
            _hidingTimer->setSingleShot(true);
            connect(_hidingTimer, &QTimer::timeout, this, &SKTGrid::stopShowingGridForTimer);
            _hidingTimer->start(SKTGridTemporaryShowingTime);
        }
    }
    emit anyChanged();
}

void SKTGrid::setAlwaysShown(bool alwaysShown)
{
    if (alwaysShown != _isAlwaysShown) {
        _isAlwaysShown = alwaysShown;
        emit alignWithGridAvailable(_isAlwaysShown);
        stopHidingTimer();
    }
    emit anyChanged();
}

void SKTGrid::setConstraining(bool constraining)
{
    if (constraining == _isConstraining)
        return;
    _isConstraining = constraining;
    emit anyChanged();
}

void SKTGrid::stopShowingGridForTimer()
{
    stopHidingTimer();
    emit anyChanged();
}

void SKTGrid::stopHidingTimer()
{
    if (!_hidingTimer)
        return;
    _hidingTimer->stop();
    _hidingTimer->deleteLater();
    _hidingTimer = nullptr;
}

double SKTGrid::snapped(double coordinate) const
{
    return std::floor(coordinate / _spacing + 0.5) * _spacing;
}

QPointF SKTGrid::constrainedPoint(const QPointF& point) const
{
    if (!isUsable() || !_isConstraining)
        return point;
    return {snapped(point.x()), snapped(point.y())};
}

QRectF SKTGrid::alignedRect(const QRectF& rect) const
{
    const double x = snapped(rect.x());
    const double y = snapped(rect.y());
    return {x, y, snapped(rect.x() + rect.width()) - x, snapped(rect.y() + rect.height()) - y};
}

void SKTGrid::drawRect(QPainter& painter, const QRectF& rect) const
{
    if (!isUsable() || !(_isAlwaysShown || _hidingTimer))
        return;
    QPainterPath lines;
    const double s = _spacing;
    // A tiny spacing on a huge rectangle would mean millions of lines; beyond one line per
    // device pixel they only paint the rectangle grey anyway.
    const double lineCount = (rect.width() + rect.height()) / s;
    if (!std::isfinite(lineCount) || lineCount > 100000.0)
        return;
    for (double i = std::ceil(rect.left() / s); i <= std::floor(rect.right() / s); ++i) {
        lines.moveTo(i * s, rect.top());
        lines.lineTo(i * s, rect.bottom());
    }
    for (double j = std::ceil(rect.top() / s); j <= std::floor(rect.bottom() / s); ++j) {
        lines.moveTo(rect.left(), j * s);
        lines.lineTo(rect.right(), j * s);
    }
    painter.save();
    QPen pen(_color, 0.0);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(lines);
    painter.restore();
}

// A line's two ends and how dragging them changes its bounds.
#include "model/SKTLine.h"

QPointF SKTLine::beginPoint() const
{
    return {_pointsRight ? _bounds.left() : _bounds.right(), _pointsDown ? _bounds.top() : _bounds.bottom()};
}

QPointF SKTLine::endPoint() const
{
    return {_pointsRight ? _bounds.right() : _bounds.left(), _pointsDown ? _bounds.bottom() : _bounds.top()};
}

QRectF SKTLine::boundsWithBeginPoint(const QPointF& begin, const QPointF& end, bool* pointsRight, bool* pointsDown)
{
    if (pointsRight)
        *pointsRight = end.x() > begin.x();
    if (pointsDown)
        *pointsDown = end.y() > begin.y();
    return {std::min(begin.x(), end.x()), std::min(begin.y(), end.y()), std::abs(end.x() - begin.x()),
            std::abs(end.y() - begin.y())};
}

void SKTLine::setBoundsAndDirection(const QRectF& bounds, bool pointsRight, bool pointsDown)
{
    const QPointF oldBegin = beginPoint();
    const QPointF oldEnd = endPoint();
    _pointsRight = pointsRight;
    _pointsDown = pointsDown;
    SKTGraphic::setBounds(bounds);
    didChangeValueForKey(SKTLineBeginPointKey, oldBegin);
    didChangeValueForKey(SKTLineEndPointKey, oldEnd);
}

void SKTLine::setBounds(const QRectF& bounds)
{
    setBoundsAndDirection(bounds, _pointsRight, _pointsDown);
}

void SKTLine::setBeginPoint(const QPointF& point)
{
    bool right = false, down = false;
    const QRectF bounds = boundsWithBeginPoint(point, endPoint(), &right, &down);
    setBoundsAndDirection(bounds, right, down);
}

void SKTLine::setEndPoint(const QPointF& point)
{
    bool right = false, down = false;
    const QRectF bounds = boundsWithBeginPoint(beginPoint(), point, &right, &down);
    setBoundsAndDirection(bounds, right, down);
}

qint64 SKTLine::handleUnderPoint(const QPointF& point) const
{
    if (isHandleAtPoint(beginPoint(), point))
        return beginHandle;
    if (isHandleAtPoint(endPoint(), point))
        return endHandle;
    return 0;
}

qint64 SKTLine::resizeByMovingHandle(qint64 handle, const QPointF& point)
{
    // The ends keep their codes even when one is dragged past the other.
    if (handle == beginHandle)
        setBeginPoint(point);
    else if (handle == endHandle)
        setEndPoint(point);
    return handle;
}

void SKTLine::setColor(const QColor& color)
{
    setValueForKey(SKTGraphicStrokeColorKey, color);
}

QVariant SKTLine::valueForKey(const QString& key) const
{
    if (key == SKTLineBeginPointKey)
        return beginPoint();
    if (key == SKTLineEndPointKey)
        return endPoint();
    return SKTGraphic::valueForKey(key);
}

bool SKTLine::setValueForKey(const QString& key, const QVariant& value)
{
    if ((key == SKTLineBeginPointKey || key == SKTLineEndPointKey) && value.metaType() == QMetaType::fromType<QPointF>()) {
        if (key == SKTLineBeginPointKey)
            setBeginPoint(value.toPointF());
        else
            setEndPoint(value.toPointF());
        return true;
    }
    return SKTGraphic::setValueForKey(key, value);
}

std::optional<QString> SKTLine::presentablePropertyNameForKey(const QString& key) const
{
    if (key == SKTLineBeginPointKey)
        return QStringLiteral("Beginpoint");
    if (key == SKTLineEndPointKey)
        return QStringLiteral("Endpoint");
    return SKTGraphic::presentablePropertyNameForKey(key);
}

QSet<QString> SKTLine::keysForValuesToObserveForUndo() const
{
    QSet<QString> keys = SKTGraphic::keysForValuesToObserveForUndo();
    keys.remove(SKTGraphicBoundsKey);
    keys.insert(SKTLineBeginPointKey);
    keys.insert(SKTLineEndPointKey);
    return keys;
}

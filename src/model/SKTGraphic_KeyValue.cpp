// Key-value access to the values that undo observes, and operations on several objects.
#include "model/SKTGraphic.h"

namespace {

template <typename T>
bool holds(const QVariant& value)
{
    return value.metaType() == QMetaType::fromType<T>();
}

bool isNumber(const QVariant& value)
{
    return holds<double>(value) || holds<float>(value) || holds<int>(value) || holds<qint64>(value);
}

} // namespace

void SKTGraphic::setBounds(const QRectF& bounds)
{
    const QRectF old = _bounds;
    _bounds = bounds;
    if (old != bounds)
        didChangeValueForKey(SKTGraphicBoundsKey, old);
}

void SKTGraphic::setXPosition(double x)
{
    QRectF bounds = _bounds;
    bounds.moveLeft(x);
    setBounds(bounds);
}

void SKTGraphic::setYPosition(double y)
{
    QRectF bounds = _bounds;
    bounds.moveTop(y);
    setBounds(bounds);
}

void SKTGraphic::setWidth(double width)
{
    QRectF bounds = _bounds;
    bounds.setWidth(width);
    setBounds(bounds);
}

void SKTGraphic::setHeight(double height)
{
    QRectF bounds = _bounds;
    bounds.setHeight(height);
    setBounds(bounds);
}

QVariant SKTGraphic::valueForKey(const QString& key) const
{
    if (key == SKTGraphicBoundsKey)
        return _bounds;
    if (key == SKTGraphicIsDrawingFillKey)
        return _isDrawingFill;
    if (key == SKTGraphicFillColorKey)
        return _fillColor;
    if (key == SKTGraphicIsDrawingStrokeKey)
        return _isDrawingStroke;
    if (key == SKTGraphicStrokeColorKey)
        return _strokeColor;
    if (key == SKTGraphicStrokeWidthKey)
        return _strokeWidth;
    if (key == SKTGraphicXPositionKey)
        return _bounds.x();
    if (key == SKTGraphicYPositionKey)
        return _bounds.y();
    if (key == SKTGraphicWidthKey)
        return _bounds.width();
    if (key == SKTGraphicHeightKey)
        return _bounds.height();
    return {};
}

bool SKTGraphic::setValueForKey(const QString& key, const QVariant& value)
{
    if (key == SKTGraphicBoundsKey && holds<QRectF>(value)) {
        setBounds(value.toRectF());
        return true;
    }
    if ((key == SKTGraphicIsDrawingFillKey || key == SKTGraphicIsDrawingStrokeKey) && holds<bool>(value)) {
        bool& field = key == SKTGraphicIsDrawingFillKey ? _isDrawingFill : _isDrawingStroke;
        const bool old = field;
        field = value.toBool();
        didChangeValueForKey(key, old);
        return true;
    }
    if ((key == SKTGraphicFillColorKey || key == SKTGraphicStrokeColorKey) && holds<QColor>(value)) {
        QColor& field = key == SKTGraphicFillColorKey ? _fillColor : _strokeColor;
        const QColor old = field;
        field = value.value<QColor>();
        didChangeValueForKey(key, old);
        return true;
    }
    if (key == SKTGraphicStrokeWidthKey && isNumber(value)) {
        const double old = _strokeWidth;
        _strokeWidth = value.toDouble();
        didChangeValueForKey(key, old);
        return true;
    }
    if (isNumber(value)) {
        if (key == SKTGraphicXPositionKey)
            setXPosition(value.toDouble());
        else if (key == SKTGraphicYPositionKey)
            setYPosition(value.toDouble());
        else if (key == SKTGraphicWidthKey)
            setWidth(value.toDouble());
        else if (key == SKTGraphicHeightKey)
            setHeight(value.toDouble());
        else
            return false;
        return true;
    }
    return false;
}

void SKTGraphic::setValuesForKeysWithDictionary(const QVariantMap& values)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        setValueForKey(it.key(), it.value());
}

void SKTGraphic::didChangeValueForKey(const QString& key, const QVariant& oldValue)
{
    if (observer_ && oldValue != valueForKey(key))
        observer_->graphicValueChanged(*this, key, oldValue);
}

QRectF SKTGraphic::boundsOfGraphics(const QList<std::shared_ptr<SKTGraphic>>& graphics)
{
    QRectF united;
    for (const auto& graphic : graphics)
        united = united.isNull() ? graphic->bounds() : united.united(graphic->bounds());
    return united;
}

QRectF SKTGraphic::drawingBoundsOfGraphics(const QList<std::shared_ptr<SKTGraphic>>& graphics,
                                           const QRectF& whenEmpty)
{
    if (graphics.isEmpty())
        return whenEmpty;
    QRectF united = graphics.first()->drawingBounds();
    for (const auto& graphic : graphics)
        united = united.united(graphic->drawingBounds());
    return united;
}

void SKTGraphic::translateGraphics(const QList<std::shared_ptr<SKTGraphic>>& graphics, double dx, double dy)
{
    for (const auto& graphic : graphics) {
        if (!graphic->ctrl_is_locked)
            graphic->setBounds(graphic->bounds().translated(dx, dy));
    }
}

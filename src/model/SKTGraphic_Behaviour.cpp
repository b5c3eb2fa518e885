// The base behaviour that the kinds override. Drawing belongs to the kinds; the base draws
// nothing and has no outline.
#include "model/SKTGraphic.h"

#include "model/GraphicPainting.h"

#include <QPainter>

namespace {
constexpr double handleHalfWidth = 3.0;

QPointF handlePoint(const QRectF& bounds, qint64 handle)
{
    const double midX = bounds.x() + bounds.width() * 0.5;
    const double midY = bounds.y() + bounds.height() * 0.5;
    switch (handle) {
    case 1: return {bounds.left(), bounds.top()};
    case 2: return {midX, bounds.top()};
    case 3: return {bounds.right(), bounds.top()};
    case 4: return {bounds.left(), midY};
    case 5: return {bounds.right(), midY};
    case 6: return {bounds.left(), bounds.bottom()};
    case 7: return {midX, bounds.bottom()};
    default: return {bounds.right(), bounds.bottom()};
    }
}
} // namespace

bool SKTGraphic::canMakeNaturalSize() const
{
    return _bounds.width() != _bounds.height();
}

QRectF SKTGraphic::drawingBounds() const
{
    double outset = handleHalfWidth;
    if (isDrawingStroke())
        outset = std::max(outset, GraphicPainting::strokeReach(*this));
    QRectF rect = _bounds.adjusted(-outset, -outset, outset, outset);
    rect.setWidth(rect.width() + 1.0);
    rect.setHeight(rect.height() + 1.0);
    return rect;
}

QRectF SKTGraphic::paintedBounds() const
{
    // A rectangle's mitred corners reach no further out than half the line's width.
    const double half = isDrawingStroke() ? GraphicPainting::strokeReach(*this) : 0.0;
    return _bounds.adjusted(-half, -half, half, half);
}

void SKTGraphic::drawContentsInView(QPainter&, bool) {}

QPainterPath SKTGraphic::bezierPathForDrawing() const
{
    return QPainterPath();
}

void SKTGraphic::drawHandlesInView(QPainter& painter, bool lock_hai)
{
    for (qint64 handle = 1; handle <= 8; ++handle)
        drawHandleInView(painter, handlePoint(_bounds, handle), lock_hai);
}

bool SKTGraphic::isContentsUnderPoint(const QPointF& point) const
{
    return _bounds.contains(point);
}

qint64 SKTGraphic::handleUnderPoint(const QPointF& point) const
{
    for (qint64 handle = 1; handle <= 8; ++handle) {
        const QPointF at = handlePoint(_bounds, handle);
        const QRectF area(at.x() - handleHalfWidth, at.y() - handleHalfWidth, 2 * handleHalfWidth,
                          2 * handleHalfWidth);
        if (area.contains(point))
            return handle;
    }
    return 0;
}

qint64 SKTGraphic::resizeByMovingHandle(qint64 handle, const QPointF& point)
{
    double x = _bounds.x(), y = _bounds.y(), w = _bounds.width(), h = _bounds.height();
    if (handle == 1 || handle == 4 || handle == 6) {
        w = (x + w) - point.x();
        x = point.x();
    } else if (handle == 3 || handle == 5 || handle == 8) {
        w = point.x() - x;
    }
    if (w < 0) {
        static const qint64 mirrored[9] = {0, 3, 2, 1, 5, 4, 8, 7, 6};
        handle = mirrored[std::clamp<qint64>(handle, 0, 8)];
        w = -w;
        x -= w;
        flipHorizontally();
    }
    if (handle == 1 || handle == 2 || handle == 3) {
        h = (y + h) - point.y();
        y = point.y();
    } else if (handle == 6 || handle == 7 || handle == 8) {
        h = point.y() - y;
    }
    if (h < 0) {
        static const qint64 mirrored[9] = {0, 6, 7, 8, 4, 5, 1, 2, 3};
        handle = mirrored[std::clamp<qint64>(handle, 0, 8)];
        h = -h;
        y -= h;
        flipVertically();
    }
    setBounds(QRectF(x, y, w, h));
    return handle;
}

void SKTGraphic::makeNaturalSize()
{
    QRectF bounds = _bounds;
    if (bounds.height() > bounds.width())
        bounds.setHeight(bounds.width());
    else if (bounds.width() > bounds.height())
        bounds.setWidth(bounds.height());
    setBounds(bounds);
}

void SKTGraphic::setColor(const QColor& color)
{
    if (!canSetDrawingFill())
        return;
    if (!isDrawingFill())
        setDrawingFill(true);
    setFillColor(color);
}

QSet<QString> SKTGraphic::keysForValuesToObserveForUndo() const
{
    return {SKTGraphicIsDrawingFillKey, SKTGraphicFillColorKey, SKTGraphicIsDrawingStrokeKey,
            SKTGraphicStrokeColorKey, SKTGraphicStrokeWidthKey, SKTGraphicBoundsKey};
}

std::optional<QString> SKTGraphic::presentablePropertyNameForKey(const QString&) const
{
    return QString(QLatin1String(""));
}

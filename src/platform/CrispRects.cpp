#include "platform/CrispRects.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

bool isPlainImage(const QPaintDevice* device)
{
    if (!device || device->devType() != QInternal::Image)
        return false;
    const QImage::Format format = static_cast<const QImage*>(device)->format();
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
        || format == QImage::Format_ARGB32_Premultiplied;
}

bool needsNoBlending(const QPainter& painter)
{
    const QBrush& brush = painter.brush();
    return brush.style() == Qt::SolidPattern && brush.color().alpha() == 255 && painter.pen().style() == Qt::NoPen
        && painter.opacity() >= 1.0 && !painter.hasClipping()
        && painter.compositionMode() == QPainter::CompositionMode_SourceOver
        && !painter.testRenderHint(QPainter::Antialiasing);
}

// The first pixel whose centre lies at or after a device coordinate.
int firstCentreFrom(double coordinate)
{
    return int(std::ceil(coordinate - 0.5));
}

} // namespace

bool fillCrispRects(QPainter& painter, const std::vector<QRectF>& rects)
{
    const QTransform transform = painter.deviceTransform();
    if (transform.type() > QTransform::TxScale || transform.m11() <= 0 || transform.m22() <= 0
        || !isPlainImage(painter.device()) || !needsNoBlending(painter))
        return false;
    auto& image = *static_cast<QImage*>(painter.device());
    // Writing to a shared image would detach it from under the painter.
    if (!image.isDetached())
        return false;
    const QRgb pixel = painter.brush().color().rgba();
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (const QRectF& rect : rects) {
        const QRectF mapped = transform.mapRect(rect.normalized());
        const int left = std::max(firstCentreFrom(mapped.left()), 0);
        const int right = std::min(firstCentreFrom(mapped.right()), image.width());
        const int top = std::max(firstCentreFrom(mapped.top()), 0);
        const int bottom = std::min(firstCentreFrom(mapped.bottom()), image.height());
        if (left >= right)
            continue;
        for (int y = top; y < bottom; ++y) {
            auto* row = reinterpret_cast<QRgb*>(bits + y * stride);
            std::fill(row + left, row + right, pixel);
        }
    }
    return true;
}

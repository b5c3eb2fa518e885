#include "platform/CrispRects.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

bool needsNoBlending(const QPainter& painter)
{
    const QBrush& brush = painter.brush();
    return brush.style() == Qt::SolidPattern && brush.color().alpha() == 255 && painter.pen().style() == Qt::NoPen
        && painter.opacity() >= 1.0 && !painter.hasClipping()
        && painter.compositionMode() == QPainter::CompositionMode_SourceOver
        && !painter.testRenderHint(QPainter::Antialiasing);
}

// The first pixel whose centre lies after a device coordinate: a pixel is covered when its
// centre lies after a rectangle's left (top) edge and not after its right (bottom) one.
int firstCentreAfter(double coordinate)
{
    return int(std::floor(coordinate + 0.5));
}

// A rectangle in whole pixels: columns [left, right), rows [top, bottom).
struct Span
{
    int left;
    int right;
    int top;
    int bottom;
    bool sameRows(const Span& other) const { return top == other.top && bottom == other.bottom; }
};

class PixelRows
{
public:
    PixelRows(QImage& image, QRgb pixel)
        : bits_(image.bits())
        , stride_(image.bytesPerLine())
        , pixel_(pixel)
    { }

    QRgb* row(int y) const { return reinterpret_cast<QRgb*>(bits_ + y * stride_); }

    void fill(const Span& span, int y) const { std::fill(row(y) + span.left, row(y) + span.right, pixel_); }

    // Rectangles over the same rows, such as the bars of a barcode. Where those rows are
    // alike beforehand, the first row is filled and copied to the others.
    void fillGroup(const Span* first, const Span* last) const
    {
        int left = first->left;
        int right = first->right;
        for (const Span* span = first; span != last; ++span) {
            left = std::min(left, span->left);
            right = std::max(right, span->right);
        }
        const size_t bytes = size_t(right - left) * sizeof(QRgb);
        const int top = first->top;
        // A single rectangle covers its whole width: nothing between to keep.
        bool alike = true;
        for (int y = top + 1; y < first->bottom && alike && last - first > 1; ++y)
            alike = std::memcmp(row(y) + left, row(top) + left, bytes) == 0;
        for (int y = top; y < first->bottom; ++y) {
            if (alike && y > top) {
                std::memcpy(row(y) + left, row(top) + left, bytes);
                continue;
            }
            for (const Span* span = first; span != last; ++span)
                fill(*span, y);
        }
    }

private:
    uchar* bits_;
    qsizetype stride_;
    QRgb pixel_;
};

} // namespace

bool isPlain32BitImage(const QPaintDevice* device)
{
    if (!device || device->devType() != QInternal::Image)
        return false;
    const QImage::Format format = static_cast<const QImage*>(device)->format();
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
        || format == QImage::Format_ARGB32_Premultiplied;
}

bool fillCrispRects(QPainter& painter, const std::vector<QRectF>& rects)
{
    const QTransform transform = painter.deviceTransform();
    if (transform.type() > QTransform::TxScale || transform.m11() <= 0 || transform.m22() <= 0
        || !isPlain32BitImage(painter.device()) || !needsNoBlending(painter))
        return false;
    auto& image = *static_cast<QImage*>(painter.device());
    // Writing to a shared image would detach it from under the painter.
    if (!image.isDetached())
        return false;
    std::vector<Span> spans;
    spans.reserve(rects.size());
    for (const QRectF& rect : rects) {
        const QRectF mapped = transform.mapRect(rect.normalized());
        const Span span { std::max(firstCentreAfter(mapped.left()), 0),
            std::min(firstCentreAfter(mapped.right()), image.width()), std::max(firstCentreAfter(mapped.top()), 0),
            std::min(firstCentreAfter(mapped.bottom()), image.height()) };
        if (span.left < span.right && span.top < span.bottom)
            spans.push_back(span);
    }
    const PixelRows pixels(image, painter.brush().color().rgba());
    for (auto group = spans.begin(); group != spans.end();) {
        const auto end = std::find_if(group, spans.end(), [&](const Span& span) { return !span.sameRows(*group); });
        pixels.fillGroup(&*group, &*group + (end - group));
        group = end;
    }
    return true;
}

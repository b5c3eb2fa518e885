#include "barcodes/ModuleRectangles.h"

#include <QPainter>
#include <QPainterPath>

// A symbol of the given size in points: a light area, and on it the dark rectangles (in
// modules, module (0, 0) at origin). Each rectangle is a fill of its own: PDF renderers
// snap a lone rectangle to whole device pixels, so modules print crisp and page scanners
// read them, where one fill of them all leaves grey edges that they misread. Vectors stay
// sharp at any resolution, and an image would reach every PDF as pixels, once per card.
Picture symbolPicture(
    const QSizeF& size, const QRectF& light, const std::vector<QRect>& dark, QPointF origin, QSizeF module)
{
    return Picture::record(size, [&](QPainter& painter) {
        painter.fillRect(light, Qt::white);
        for (const QRect& rect : dark) {
            QPainterPath path;
            path.addRect(QRectF(origin.x() + rect.x() * module.width(), origin.y() + rect.y() * module.height(),
                rect.width() * module.width(), rect.height() * module.height()));
            painter.fillPath(path, Qt::black);
        }
    });
}

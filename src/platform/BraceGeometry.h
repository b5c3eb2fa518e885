#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

// Rectangles, points and sizes as brace strings: "{{x, y}, {w, h}}", "{x, y}", "{w, h}".
// Numbers are written and read in the C locale whatever the user's locale. Reading takes
// the numbers in order and leaves missing or unreadable ones (and non-finite ones) at 0.
namespace BraceGeometry {
QString fromRect(const QRectF& rect);
QString fromPoint(const QPointF& point);
QString fromSize(const QSizeF& size);
QRectF rectFromString(const QString& text);
QPointF pointFromString(const QString& text);
QSizeF sizeFromString(const QString& text);
} // namespace BraceGeometry

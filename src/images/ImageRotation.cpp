#include "images/ImageRotation.h"

#include <QPainter>
#include <QTransform>

#include <cmath>

namespace {

QImage quarterTurns(const QImage& image, int quarters)
{
    // Qt's exact rotation path for multiples of 90 degrees; it turns clockwise.
    QImage turned = image.transformed(QTransform().rotate(-90.0 * quarters));
    if (quarters % 2 != 0) {
        turned.setDotsPerMeterX(image.dotsPerMeterY());
        turned.setDotsPerMeterY(image.dotsPerMeterX());
    }
    return turned;
}

// Size of the box that holds a w x h picture turned by the angle, rounded up to whole
// pixels; the tolerance keeps exact sizes from gaining a pixel through rounding noise.
QSize boundingSize(const QSize& size, double degrees)
{
    const double radians = degrees * M_PI / 180.0;
    const double c = std::abs(std::cos(radians));
    const double s = std::abs(std::sin(radians));
    const double width = size.width() * c + size.height() * s;
    const double height = size.width() * s + size.height() * c;
    return QSize(int(std::ceil(width - 1e-6)), int(std::ceil(height - 1e-6)));
}

} // namespace

QImage ImageRotation::imageRotated(const QImage& image, float degrees)
{
    const double reduced = std::fmod(double(degrees), 360.0);
    if (image.isNull() || reduced == 0.0 || !std::isfinite(reduced))
        return image;
    if (reduced == 90.0 || reduced == -270.0)
        return quarterTurns(image, 1);
    if (reduced == 180.0 || reduced == -180.0)
        return quarterTurns(image, 2);
    if (reduced == 270.0 || reduced == -90.0)
        return quarterTurns(image, 3);
    return imageRotatedByDegrees(image, reduced);
}

QImage ImageRotation::imageRotatedByDegrees(const QImage& image, double degrees)
{
    if (image.isNull() || !std::isfinite(degrees))
        return image;
    QImage canvas(boundingSize(image.size(), degrees), QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull())
        return canvas;
    canvas.fill(Qt::transparent);
    canvas.setDotsPerMeterX(image.dotsPerMeterX());
    canvas.setDotsPerMeterY(image.dotsPerMeterY());
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(canvas.width() / 2.0, canvas.height() / 2.0);
    painter.rotate(-degrees);
    painter.drawImage(QPointF(-image.width() / 2.0, -image.height() / 2.0), image);
    painter.end();
    return canvas;
}

#pragma once

#include "model/SKTGraphic.h"

#include <QImage>
#include <QPainter>
#include <QRect>

#include <functional>

// Pixel checks on drawings: objects are drawn on a white 72-dpi image, scaled for higher
// resolutions, as the renderer does.
namespace drawing_test {

inline QImage whiteImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    image.fill(Qt::white);
    return image;
}

// Paints on a white image of size (in points) times scale; antialiasing off unless asked.
inline QImage paint(QSizeF points, const std::function<void(QPainter&)>& draw, double scale = 1.0,
                    bool antialiased = false)
{
    QImage image = whiteImage(QSize(int(points.width() * scale + 0.5), int(points.height() * scale + 0.5)));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, antialiased);
    painter.scale(scale, scale);
    draw(painter);
    painter.end();
    return image;
}

inline QImage drawObject(SKTGraphic& object, QSizeF points, double scale = 1.0, bool antialiased = false)
{
    return paint(points, [&](QPainter& painter) { object.drawContentsInView(painter, false); }, scale, antialiased);
}

inline bool isInk(QRgb pixel)
{
    return qGray(pixel) < 128;
}

// Bounding box of the dark pixels.
inline QRect inkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isInk(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

// Lengths of the alternating dark and light runs along one row, starting with the first
// dark pixel at or after x0, up to x1.
inline QList<int> runsAlongRow(const QImage& image, int y, int x0, int x1)
{
    QList<int> runs;
    int x = x0;
    while (x < x1 && !isInk(image.pixel(x, y)))
        ++x;
    while (x < x1) {
        const bool ink = isInk(image.pixel(x, y));
        int length = 0;
        while (x < x1 && isInk(image.pixel(x, y)) == ink) {
            ++length;
            ++x;
        }
        runs.append(length);
    }
    return runs;
}

inline bool near(QRgb actual, QColor expected, int tolerance = 3)
{
    return std::abs(qRed(actual) - expected.red()) <= tolerance && std::abs(qGreen(actual) - expected.green()) <= tolerance
        && std::abs(qBlue(actual) - expected.blue()) <= tolerance;
}

} // namespace drawing_test

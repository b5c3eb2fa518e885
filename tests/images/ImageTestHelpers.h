#pragma once

#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>

inline QImage solidImage(QRgb colour, int width = 8, int height = 6)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A picture with structure: a horizontal ramp in red, a vertical one in green, blue by
// checkerboard, so that misplaced or mixed pixels show.
inline QImage patternImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / qMax(1, width - 1), y * 255 / qMax(1, height - 1),
                                      ((x / 4 + y / 4) % 2) * 255));
    return image;
}

// Straight (not premultiplied) colour of one pixel.
inline QRgb pixelAt(const QImage& image, int x, int y)
{
    return image.convertToFormat(QImage::Format_ARGB32).pixel(x, y);
}

inline ::testing::AssertionResult colourNear(QRgb actual, QRgb expected, int tolerance = 1)
{
    const bool near = std::abs(qRed(actual) - qRed(expected)) <= tolerance
        && std::abs(qGreen(actual) - qGreen(expected)) <= tolerance
        && std::abs(qBlue(actual) - qBlue(expected)) <= tolerance
        && std::abs(qAlpha(actual) - qAlpha(expected)) <= tolerance;
    if (near)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << "got (" << qRed(actual) << ", " << qGreen(actual) << ", " << qBlue(actual) << ", " << qAlpha(actual)
        << "), expected (" << qRed(expected) << ", " << qGreen(expected) << ", " << qBlue(expected) << ", "
        << qAlpha(expected) << ")";
}

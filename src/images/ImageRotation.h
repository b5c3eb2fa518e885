#pragma once

#include <QImage>

// Turning a picture about its centre. Positive angles turn counter-clockwise as seen on
// screen. The result always holds the whole picture: quarter turns swap width and height
// exactly, other angles get the bounding box of the turned picture with transparent corners.
class ImageRotation
{
public:
    // Whole-degree rotation of the effects chain: the angle is reduced modulo 360 and a
    // reduced angle of 0 returns the picture itself.
    static QImage imageRotated(const QImage& image, float degrees);

    // Rotation by any angle onto the bounding box of the turned picture. A non-finite
    // angle returns the picture unchanged; a canvas that cannot be allocated gives a null image.
    static QImage imageRotatedByDegrees(const QImage& image, double degrees);
};

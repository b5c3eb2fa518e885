#pragma once

#include "images/ImageEffectSettings.h"

#include <QColor>
#include <QImage>
#include <QSizeF>

// The picture effects of an image object, as pure functions over QImage: no state, no
// widgets, safe on any thread (renderers call the chain on their worker threads).
//
// Every filter returns a new picture, or its input unchanged when the input is null, the
// effect is neutral, or the filter fails; a failure is written to the log under the
// filter's name and never shown as a message box, because it happens while painting.
class ImageProcesser
{
public:
    // The whole chain in its fixed order: grey scale, sepia, invert, hue, colour controls,
    // sharpen, blur, exposure, then the rotation in whole degrees. The result is always the
    // whole picture: a blur keeps the input size, a rotation grows the canvas to fit.
    static QImage Get_Processed_Image(const QImage& image, const ImageEffectSettings& settings);

    // Display size in points clamped to 724 x 468, each side on its own.
    static QSizeF Set_Dimaension(const QSizeF& pointSize);

    static QImage GrayScale(const QImage& image);
    static QImage Sepia(const QImage& image);
    static QImage Invert_Color(const QImage& image);
    static QImage adjust_Hue(const QImage& image, float angleRadians);
    static QImage adjust_Color_Control(const QImage& image, float saturation, float brightness, float contrast);
    static QImage adjust_Sharpness(const QImage& image, float sharpness);
    static QImage adjust_boxBlur(const QImage& image, float radius);
    static QImage adjust_EV(const QImage& image, float stops);
    static QImage adjust_Gamma(const QImage& image, float power);

    // Paints the colour over the picture where it is not transparent; an invalid colour
    // leaves the picture as it is.
    static QImage imageTintedWithColor(const QImage& image, const QColor& tint);
};

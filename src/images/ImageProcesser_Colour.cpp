// The per-pixel colour effects: each is an affine colour map or a per-channel curve.
#include "images/ImageProcesser.h"

#include "images/PixelOperations.h"

#include <QPainter>

#include <cmath>

using namespace PixelOperations;

namespace {

ColourMatrix greyMatrix()
{
    // Monochrome in a mid-grey colour at full intensity is the luminance itself.
    ColourMatrix grey;
    for (auto& row : grey.m) {
        row[0] = lumaRed;
        row[1] = lumaGreen;
        row[2] = lumaBlue;
        row[3] = 0;
    }
    return grey;
}

ColourMatrix sepiaMatrix()
{
    return ColourMatrix{{{0.393f, 0.769f, 0.189f, 0},
                         {0.349f, 0.686f, 0.168f, 0},
                         {0.272f, 0.534f, 0.131f, 0}}};
}

ColourMatrix invertMatrix()
{
    return ColourMatrix{{{-1, 0, 0, 255}, {0, -1, 0, 255}, {0, 0, -1, 255}}};
}

// A turn of the colour cube about its grey diagonal: greys stay, and a positive angle
// moves red towards green and green towards blue.
ColourMatrix hueMatrix(float angle)
{
    const double c = std::cos(double(angle));
    const double s = std::sin(double(angle));
    const double third = (1.0 - c) / 3.0;
    const double axis = s / std::sqrt(3.0);
    ColourMatrix hue;
    hue.m[0][0] = float(c + third);
    hue.m[0][1] = float(third - axis);
    hue.m[0][2] = float(third + axis);
    hue.m[1][0] = float(third + axis);
    hue.m[1][1] = float(c + third);
    hue.m[1][2] = float(third - axis);
    hue.m[2][0] = float(third - axis);
    hue.m[2][1] = float(third + axis);
    hue.m[2][2] = float(c + third);
    return hue;
}

// Saturation mixes each colour with its luminance, brightness adds, contrast scales about
// mid-grey, in that order.
ColourMatrix colourControlMatrix(float saturation, float brightness, float contrast)
{
    ColourMatrix saturate;
    const float weights[3] = {lumaRed, lumaGreen, lumaBlue};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            saturate.m[row][col] = (1.0f - saturation) * weights[col] + (row == col ? saturation : 0.0f);

    ColourMatrix brighten;
    for (auto& row : brighten.m)
        row[3] = brightness * 255.0f;

    ColourMatrix contrastAboutMidGrey;
    for (int row = 0; row < 3; ++row) {
        contrastAboutMidGrey.m[row][row] = contrast;
        contrastAboutMidGrey.m[row][3] = 127.5f * (1.0f - contrast);
    }
    return contrastAboutMidGrey.after(brighten.after(saturate));
}

QImage applyUnlessIdentity(const QImage& image, const ColourMatrix& matrix)
{
    return matrix.isIdentity() ? image : applyColourMatrix(image, matrix);
}

double srgbToLinear(double v)
{
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double linearToSrgb(double v)
{
    return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1.0 / 2.4) - 0.055;
}

uint8_t unitToByte(double unit)
{
    return clampToByte(float(unit * 255.0));
}

} // namespace

QImage ImageProcesser::GrayScale(const QImage& image)
{
    return runFilter("GrayScale", image, [&] { return applyColourMatrix(image, greyMatrix()); });
}

QImage ImageProcesser::Sepia(const QImage& image)
{
    return runFilter("Sepia", image, [&] { return applyColourMatrix(image, sepiaMatrix()); });
}

QImage ImageProcesser::Invert_Color(const QImage& image)
{
    return runFilter("Invert_Color", image, [&] { return applyColourMatrix(image, invertMatrix()); });
}

QImage ImageProcesser::adjust_Hue(const QImage& image, float angleRadians)
{
    return runFilter("adjust_Hue", image, [&] {
        requireFinite(angleRadians, "hue angle");
        return angleRadians == 0.0f ? image : applyColourMatrix(image, hueMatrix(angleRadians));
    });
}

QImage ImageProcesser::adjust_Color_Control(const QImage& image, float saturation, float brightness, float contrast)
{
    return runFilter("adjust_Color_Control", image, [&] {
        requireFinite(saturation, "saturation");
        requireFinite(brightness, "brightness");
        requireFinite(contrast, "contrast");
        return applyUnlessIdentity(image, colourControlMatrix(saturation, brightness, contrast));
    });
}

// Exposure works like a camera's stops: the light is doubled per stop, so the
// multiplication happens on linear light, not on the sRGB-encoded components.
QImage ImageProcesser::adjust_EV(const QImage& image, float stops)
{
    return runFilter("adjust_EV", image, [&] {
        requireFinite(stops, "exposure");
        if (stops == 0.0f)
            return image;
        const double gain = std::exp2(double(stops));
        std::array<uint8_t, 256> curve{};
        for (int v = 0; v < 256; ++v) {
            const double linear = srgbToLinear(v / 255.0) * gain;
            curve[v] = linear >= 1.0 ? 255 : unitToByte(linearToSrgb(linear));
        }
        return applyChannelCurve(image, curve);
    });
}

QImage ImageProcesser::adjust_Gamma(const QImage& image, float power)
{
    return runFilter("adjust_Gamma", image, [&] {
        requireFinite(power, "gamma");
        if (power == 1.0f)
            return image;
        std::array<uint8_t, 256> curve{};
        for (int v = 0; v < 256; ++v)
            curve[v] = unitToByte(std::pow(v / 255.0, double(power)));
        return applyChannelCurve(image, curve);
    });
}

QImage ImageProcesser::imageTintedWithColor(const QImage& image, const QColor& tint)
{
    if (image.isNull() || !tint.isValid())
        return image;
    QImage tinted = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&tinted);
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    painter.fillRect(tinted.rect(), tint);
    painter.end();
    return tinted;
}

#pragma once

#include <QImage>
#include <QString>

#include <array>
#include <cmath>
#include <cstdint>
#include <exception>
#include <stdexcept>

// The building blocks of the picture effects: whole-picture passes over scan lines in
// 32-bit formats, with no per-pixel QColor.
namespace PixelOperations {

// An affine map of the colour components (0..255 scale): out = M * (r, g, b) + offset.
struct ColourMatrix
{
    float m[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};

    bool isIdentity() const;
    // This map applied after `first`.
    ColourMatrix after(const ColourMatrix& first) const;
};

// Rec. 709 luminance weights, the ones the grey and saturation effects share.
constexpr float lumaRed = 0.2126f;
constexpr float lumaGreen = 0.7152f;
constexpr float lumaBlue = 0.0722f;

// NaN-safe rounding into 0..255: NaN and negative values give 0.
inline uint8_t clampToByte(float value)
{
    if (!(value > 0.0f))
        return 0;
    if (value >= 255.0f)
        return 255;
    return uint8_t(value + 0.5f);
}

// A copy to work on in place: opaque pictures stay in RGB32 (alpha always 255), others
// become straight or premultiplied ARGB32 as the operation needs. Throws when the
// conversion cannot allocate.
QImage workingCopy(const QImage& image, bool premultiplied);

// Colour effects work on straight (not premultiplied) components.
QImage applyColourMatrix(const QImage& image, const ColourMatrix& matrix);
// The same 256-entry curve on red, green and blue.
QImage applyChannelCurve(const QImage& image, const std::array<uint8_t, 256>& curve);

// Rejects values that would turn a filter's arithmetic into garbage.
inline void requireFinite(float value, const char* what)
{
    if (!std::isfinite(value))
        throw std::invalid_argument(std::string(what) + " is not a finite number");
}

// Runs one filter. A filter that throws or cannot allocate its result is logged under its
// name and the picture passes on without it.
QImage logFailure(const char* filterName, const QImage& input, const QString& reason);

template<class Filter>
QImage runFilter(const char* filterName, const QImage& input, Filter&& filter)
{
    if (input.isNull())
        return input;
    try {
        QImage output = filter();
        if (output.isNull())
            return logFailure(filterName, input, QStringLiteral("not enough memory for the result"));
        return output;
    } catch (const std::bad_alloc&) {
        return logFailure(filterName, input, QStringLiteral("not enough memory"));
    } catch (const std::exception& error) {
        return logFailure(filterName, input, QString::fromUtf8(error.what()));
    }
}

} // namespace PixelOperations

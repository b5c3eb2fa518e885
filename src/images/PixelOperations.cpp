#include "images/PixelOperations.h"

#include "common/Logging.h"

#include <algorithm>
#include <cmath>

namespace PixelOperations {

bool ColourMatrix::isIdentity() const
{
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col)
            if (m[row][col] != (row == col ? 1.0f : 0.0f))
                return false;
    return true;
}

ColourMatrix ColourMatrix::after(const ColourMatrix& first) const
{
    ColourMatrix product;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col) {
            float sum = col == 3 ? m[row][3] : 0.0f;
            for (int k = 0; k < 3; ++k)
                sum += m[row][k] * first.m[k][col];
            product.m[row][col] = sum;
        }
    }
    return product;
}

QImage workingCopy(const QImage& image, bool premultiplied)
{
    QImage copy;
    if (!image.hasAlphaChannel())
        copy = image.convertToFormat(QImage::Format_RGB32);
    else
        copy = image.convertToFormat(premultiplied ? QImage::Format_ARGB32_Premultiplied : QImage::Format_ARGB32);
    // A conversion to the same format shares the data; detach now so that the caller's
    // picture is never written through.
    if (!copy.isNull())
        copy.detach();
    if (copy.isNull())
        throw std::bad_alloc();
    return copy;
}

namespace {

// Fixed point with 10 fraction bits; entries are capped so that three of them and the
// offset never overflow, which only matters for absurd coefficients whose result saturates.
constexpr int fractionBits = 10;
constexpr double entryLimit = double(1 << 28);

int32_t fixedPoint(double value)
{
    const double scaled = value * double(1 << fractionBits);
    if (std::isnan(scaled)) // infinite coefficients that met a zero
        return 0;
    return int32_t(std::clamp(scaled, -entryLimit, entryLimit));
}

inline uint8_t fixedToByte(int32_t value)
{
    return uint8_t(std::clamp(value >> fractionBits, 0, 255));
}

} // namespace

// Each output component is a sum of three table look-ups: no multiplication per pixel.
QImage applyColourMatrix(const QImage& image, const ColourMatrix& matrix)
{
    std::array<std::array<std::array<int32_t, 256>, 3>, 3> table; // [output][input][value]
    std::array<int32_t, 3> offset;
    for (int out = 0; out < 3; ++out) {
        offset[out] = fixedPoint(double(matrix.m[out][3]) + 0.5);
        for (int in = 0; in < 3; ++in)
            for (int v = 0; v < 256; ++v)
                table[out][in][v] = fixedPoint(double(matrix.m[out][in]) * v);
    }
    QImage result = workingCopy(image, false);
    const int width = result.width();
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = line[x];
            const int r = qRed(pixel);
            const int g = qGreen(pixel);
            const int b = qBlue(pixel);
            line[x] = qRgba(fixedToByte(table[0][0][r] + table[0][1][g] + table[0][2][b] + offset[0]),
                            fixedToByte(table[1][0][r] + table[1][1][g] + table[1][2][b] + offset[1]),
                            fixedToByte(table[2][0][r] + table[2][1][g] + table[2][2][b] + offset[2]),
                            qAlpha(pixel));
        }
    }
    return result;
}

QImage applyChannelCurve(const QImage& image, const std::array<uint8_t, 256>& curve)
{
    QImage result = workingCopy(image, false);
    const int width = result.width();
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = line[x];
            line[x] = qRgba(curve[qRed(pixel)], curve[qGreen(pixel)], curve[qBlue(pixel)], qAlpha(pixel));
        }
    }
    return result;
}

QImage logFailure(const char* filterName, const QImage& input, const QString& reason)
{
    Show_NSLog_Message(QStringLiteral("%1: %2").arg(QString::fromUtf8(filterName), reason));
    return input;
}

} // namespace PixelOperations

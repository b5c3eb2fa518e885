#include "images/PixelOperations.h"

#include "common/Logging.h"

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

QImage applyColourMatrix(const QImage& image, const ColourMatrix& matrix)
{
    QImage result = workingCopy(image, false);
    const auto& m = matrix.m;
    const int width = result.width();
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = line[x];
            const float r = float(qRed(pixel));
            const float g = float(qGreen(pixel));
            const float b = float(qBlue(pixel));
            line[x] = qRgba(clampToByte(m[0][0] * r + m[0][1] * g + m[0][2] * b + m[0][3]),
                            clampToByte(m[1][0] * r + m[1][1] * g + m[1][2] * b + m[1][3]),
                            clampToByte(m[2][0] * r + m[2][1] * g + m[2][2] * b + m[2][3]),
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

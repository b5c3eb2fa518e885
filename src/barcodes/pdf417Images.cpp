#include "barcodes/pdf417Images.h"

#include "barcodes/ModuleRectangles.h"
#include "barcodes/pdf417param.h"

#include <cstring>

namespace {

QImage newBitImage(int width, int height)
{
    QImage image(width, height, QImage::Format_Mono);
    image.setColorTable({ qRgb(255, 255, 255), qRgb(0, 0, 0) });
    return image;
}

bool isBar(const uchar* line, int x)
{
    return line[x >> 3] & (0x80 >> (x & 7));
}

} // namespace

QImage pdf417BitImage(const pdf417param& param)
{
    const int bytesPerRow = (param.bitColumns - 1) / 8 + 1;
    if (param.outBits.empty() || param.codeRows <= 0 || param.bitColumns <= 0
        || param.outBits.size() < size_t(bytesPerRow) * size_t(param.codeRows))
        return {};
    QImage image = newBitImage(param.bitColumns, param.codeRows);
    const bool inverted = param.options & PDF417_INVERT_BITMAP;
    for (int y = 0; y < param.codeRows; ++y) {
        uchar* line = image.scanLine(y);
        std::memcpy(line, param.outBits.data() + size_t(y * bytesPerRow), size_t(bytesPerRow));
        if (inverted) {
            for (int i = 0; i < bytesPerRow; ++i)
                line[i] = uchar(~line[i]);
        }
    }
    return image;
}

QImage pdf417ModuleImage(const QImage& bitImage, int modulePixels, int rowPixels, int quietModules)
{
    if (bitImage.isNull() || modulePixels < 1 || rowPixels < 1 || quietModules < 0)
        return {};
    const int quiet = quietModules * modulePixels;
    QImage image(bitImage.width() * modulePixels + 2 * quiet, bitImage.height() * rowPixels + 2 * quiet,
        QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < bitImage.height(); ++y) {
        const uchar* bits = bitImage.constScanLine(y);
        uchar* first = image.scanLine(quiet + y * rowPixels);
        for (int x = 0; x < bitImage.width(); ++x) {
            if (isBar(bits, x))
                std::memset(first + quiet + x * modulePixels, 0, size_t(modulePixels));
        }
        for (int r = 1; r < rowPixels; ++r)
            std::memcpy(image.scanLine(quiet + y * rowPixels + r), first, size_t(image.bytesPerLine()));
    }
    return image;
}

Picture pdf417Picture(const QImage& bitImage, const QSizeF& size)
{
    if (bitImage.isNull() || size.isEmpty())
        return {};
    const double moduleWidth = size.width() / bitImage.width();
    const double rowHeight = size.height() / bitImage.height();
    const std::vector<QRect> bars = darkRectangles(
        bitImage.width(), bitImage.height(), [&](int x, int y) { return isBar(bitImage.constScanLine(y), x); });
    return symbolPicture(size, QRectF(QPointF(0, 0), size), bars, QPointF(0, 0), QSizeF(moduleWidth, rowHeight));
}

#include "barcodes/PngEncoder.h"

#include <png.h>

#include <csetjmp>
#include <zlib.h>

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* output = static_cast<QByteArray*>(png_get_io_ptr(png));
    output->append(reinterpret_cast<const char*>(data), qsizetype(length));
}

void flushNothing(png_structp)
{ }

[[noreturn]] void failWrite(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp)
{ }

// Kept apart from C++ objects with destructors, since an error jumps out of it.
bool writePng(const QImage& rows, int colourType, QByteArray* output)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, failWrite, ignoreWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, output, appendBytes, flushNothing);
    png_set_IHDR(png, info, png_uint_32(rows.width()), png_uint_32(rows.height()), 8, colourType, PNG_INTERLACE_NONE,
        PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (rows.dotsPerMeterX() > 0 && rows.dotsPerMeterY() > 0)
        png_set_pHYs(
            png, info, png_uint_32(rows.dotsPerMeterX()), png_uint_32(rows.dotsPerMeterY()), PNG_RESOLUTION_METER);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_compression_level(png, 1);
    png_set_compression_strategy(png, Z_RLE);
    png_write_info(png, info);
    for (int y = 0; y < rows.height(); ++y)
        png_write_row(png, const_cast<png_bytep>(rows.constScanLine(y)));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

QByteArray encodePngFast(const QImage& image)
{
    if (image.isNull())
        return {};
    const QImage pixels = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
            || image.format() == QImage::Format_ARGB32_Premultiplied
        ? image
        : image.convertToFormat(QImage::Format_RGB32);
    // One pass makes the grey rows and finds out whether the picture is grey at all; barcodes
    // nearly always are, and one channel is a third of the bytes to pack.
    QImage grey(pixels.size(), QImage::Format_Grayscale8);
    if (grey.isNull())
        return {};
    grey.setDotsPerMeterX(pixels.dotsPerMeterX());
    grey.setDotsPerMeterY(pixels.dotsPerMeterY());
    bool allGrey = true;
    const int width = pixels.width();
    for (int y = 0; y < pixels.height() && allGrey; ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        uchar* target = grey.scanLine(y);
        unsigned differences = 0;
        for (int x = 0; x < width; ++x) {
            const QRgb colour = source[x];
            const unsigned blue = colour & 0xffu;
            differences |= (((colour >> 8) & 0xffu) ^ blue) | (((colour >> 16) & 0xffu) ^ blue);
            target[x] = uchar(blue);
        }
        allGrey = differences == 0;
    }
    const QImage rows = allGrey ? grey : pixels.convertToFormat(QImage::Format_RGB888);
    if (rows.isNull())
        return {};
    QByteArray output;
    output.reserve(qsizetype(rows.width()) * rows.height() / 16);
    if (!writePng(rows, allGrey ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB, &output))
        return {};
    return output;
}

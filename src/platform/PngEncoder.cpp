#include "platform/PngEncoder.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <vector>
#include <zlib.h>

namespace {

// What the pixels need: the two colours when there are no more, whether all are grey, and
// whether any is not opaque.
struct Colours
{
    QRgb first = 0;
    QRgb second = 0;
    int count = 0; // 0 to 3, where 3 means "more than two"
    bool grey = true;
    bool opaque = true;

    // Counts a colour not seen before; false once there are more than two.
    bool add(QRgb c)
    {
        if (qAlpha(c) != 255)
            opaque = false;
        if (qRed(c) != qBlue(c) || qGreen(c) != qBlue(c))
            grey = false;
        if (count == 0)
            first = c;
        else if (count == 1)
            second = c;
        count = std::min(count + 1, 3);
        return count <= 2 && opaque;
    }
    bool seen(QRgb c) const { return (count > 0 && c == first) || (count > 1 && c == second); }
};

bool isBlackOrWhite(QRgb c)
{
    return (c & 0xffffffu) == 0 || (c & 0xffffffu) == 0xffffffu;
}

bool sameRow(const QImage& image, int y)
{
    return y > 0 && std::memcmp(image.constScanLine(y), image.constScanLine(y - 1), size_t(image.width()) * 4) == 0;
}

QRgb pixelAt(const QRgb* row, int x, bool hasAlpha)
{
    return hasAlpha ? row[x] : row[x] | 0xff000000u;
}

Colours survey(const QImage& image, bool hasAlpha)
{
    Colours colours;
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        if (sameRow(image, y))
            continue;
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb c = pixelAt(row, x, hasAlpha);
            if (!colours.seen(c))
                colours.add(c);
        }
    }
    return colours;
}

// Rows in PNG's layout for one form, made once per run of equal image rows.
struct Rows
{
    int colourType = PNG_COLOR_TYPE_GRAY;
    int bitDepth = 8;
    int stride = 0;
    std::vector<uchar> bytes;
    std::vector<png_color> palette;

    const uchar* row(int y) const { return bytes.data() + size_t(y) * size_t(stride); }
};

// Fills the rows: each run of equal image rows is packed once and copied. Stops when packing
// a row answers false.
template <class PackRow> bool packRows(const QImage& image, Rows& rows, PackRow pack)
{
    for (int y = 0; y < image.height(); ++y) {
        uchar* target = rows.bytes.data() + size_t(y) * size_t(rows.stride);
        if (sameRow(image, y))
            std::memcpy(target, target - rows.stride, size_t(rows.stride));
        else if (!pack(reinterpret_cast<const QRgb*>(image.constScanLine(y)), target))
            return false;
    }
    return true;
}

// Packs the rows at one bit per pixel (1 for the second colour met) while it learns the
// colours, so that the usual barcode takes one pass; false at a third colour or a pixel that
// is not opaque.
bool packTwoColours(const QImage& image, bool hasAlpha, Rows& rows)
{
    rows.bitDepth = 1;
    rows.stride = (image.width() + 7) / 8;
    rows.bytes.assign(size_t(rows.stride) * size_t(image.height()), 0);
    Colours colours;
    const int width = image.width();
    const QRgb opaqueBits = hasAlpha ? 0 : 0xff000000u;
    // Kept in locals so that the loop over the pixels stays in registers.
    QRgb first = (reinterpret_cast<const QRgb*>(image.constScanLine(0))[0]) | opaqueBits;
    QRgb second = first;
    if (!colours.add(first))
        return false;
    const bool packed = packRows(image, rows, [&](const QRgb* source, uchar* target) {
        unsigned byte = 0;
        for (int x = 0; x < width; ++x) {
            const QRgb c = source[x] | opaqueBits;
            if (c != first && (c != second || colours.count < 2)) {
                if (!colours.add(c))
                    return false;
                second = c;
            }
            byte = (byte << 1) | unsigned(c != first);
            if ((x & 7) == 7) {
                target[x >> 3] = uchar(byte);
                byte = 0;
            }
        }
        if (width & 7)
            target[width >> 3] = uchar(byte << (8 - (width & 7)));
        return true;
    });
    if (!packed)
        return false;
    if (isBlackOrWhite(colours.first) && (colours.count < 2 || isBlackOrWhite(colours.second))) {
        // Black and white need no palette, but in grey bit 1 must be white.
        if ((colours.first & 0xffffffu) != 0) {
            for (uchar& byte : rows.bytes)
                byte = uchar(~byte);
        }
    } else {
        rows.colourType = PNG_COLOR_TYPE_PALETTE;
        for (const QRgb c : { colours.first, colours.second })
            rows.palette.push_back({ png_byte(qRed(c)), png_byte(qGreen(c)), png_byte(qBlue(c)) });
    }
    return true;
}

Rows greyRows(const QImage& image)
{
    Rows rows;
    const int width = image.width();
    rows.stride = width;
    rows.bytes.resize(size_t(rows.stride) * size_t(image.height()));
    packRows(image, rows, [width](const QRgb* source, uchar* target) {
        for (int x = 0; x < width; ++x)
            target[x] = uchar(source[x]);
        return true;
    });
    return rows;
}

// Rows already in PNG's byte order, copied from a converted image.
Rows convertedRows(const QImage& image, QImage::Format format, int colourType, int channels)
{
    const QImage converted = image.convertToFormat(format);
    Rows rows;
    if (converted.isNull())
        return rows;
    rows.colourType = colourType;
    rows.stride = image.width() * channels;
    rows.bytes.resize(size_t(rows.stride) * size_t(image.height()));
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(
            rows.bytes.data() + size_t(y) * size_t(rows.stride), converted.constScanLine(y), size_t(rows.stride));
    return rows;
}

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
bool writePng(const Rows& rows, int width, int height, int dotsPerMeterX, int dotsPerMeterY, QByteArray* output)
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
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), rows.bitDepth, rows.colourType, PNG_INTERLACE_NONE,
        PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!rows.palette.empty())
        png_set_PLTE(png, info, rows.palette.data(), int(rows.palette.size()));
    if (dotsPerMeterX > 0 && dotsPerMeterY > 0)
        png_set_pHYs(png, info, png_uint_32(dotsPerMeterX), png_uint_32(dotsPerMeterY), PNG_RESOLUTION_METER);
    if (rows.bitDepth == 1) {
        // Few bytes to pack, so a thorough search costs little; plain rows let whole repeated
        // rows match. Together about a third smaller than the quick settings below.
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
        png_set_compression_level(png, 6);
        png_set_compression_strategy(png, Z_FILTERED);
    } else {
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
        png_set_compression_level(png, 1);
        png_set_compression_strategy(png, Z_RLE);
    }
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, rows.row(y));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

QByteArray encodePngFast(const QImage& image)
{
    if (image.isNull())
        return {};
    const bool thirtyTwoBits = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
        || image.format() == QImage::Format_ARGB32_Premultiplied;
    const QImage pixels = thirtyTwoBits ? image : image.convertToFormat(QImage::Format_ARGB32);
    if (pixels.isNull())
        return {};
    const bool hasAlpha = pixels.hasAlphaChannel();
    Rows rows;
    if (!packTwoColours(pixels, hasAlpha, rows)) {
        const Colours colours = survey(pixels, hasAlpha);
        if (!colours.opaque)
            rows = convertedRows(pixels, QImage::Format_RGBA8888, PNG_COLOR_TYPE_RGB_ALPHA, 4);
        else if (colours.grey)
            rows = greyRows(pixels);
        else
            rows = convertedRows(pixels, QImage::Format_RGB888, PNG_COLOR_TYPE_RGB, 3);
    }
    if (rows.bytes.empty())
        return {};
    QByteArray output;
    output.reserve(qsizetype(rows.bytes.size() / 16) + 256);
    if (!writePng(rows, pixels.width(), pixels.height(), pixels.dotsPerMeterX(), pixels.dotsPerMeterY(), &output))
        return {};
    return output;
}

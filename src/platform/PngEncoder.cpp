#include "platform/PngEncoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <libdeflate.h>
#include <limits>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Colour types of the PNG header.
constexpr int colourGrey = 0;
constexpr int colourRgb = 2;
constexpr int colourPalette = 3;
constexpr int colourRgba = 6;

// Black and white pictures on a white background are written through a palette when they
// have at least this many rows unlike the one above, of at least this many bytes at one bit
// per pixel (see packTwoColours).
constexpr int fewestNewRowsForPalette = 24;
constexpr int shortestRowForPalette = 64;

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
    explicit Rows(std::vector<uchar>& storage)
        : bytes(storage)
    { }

    int colourType = colourGrey;
    int bitDepth = 8;
    int stride = 0;
    std::vector<uchar>& bytes;
    QByteArray palette; // red, green, blue of each entry

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

// The bits of a byte in reverse order: pixels are compared first to last from the low bit,
// and PNG wants the first pixel in the high bit.
constexpr std::array<uchar, 256> reversedBits = [] {
    std::array<uchar, 256> table {};
    for (unsigned value = 0; value < 256; ++value) {
        unsigned reversed = 0;
        for (int bit = 0; bit < 8; ++bit)
            reversed |= ((value >> bit) & 1u) << (7 - bit);
        table[value] = uchar(reversed);
    }
    return table;
}();

// Eight pixels compared with a colour at once: bit i is set when pixel i has the colour.
class EightPixels
{
public:
    EightPixels(const QRgb* source, QRgb opaqueBits)
    {
#if defined(__SSE2__)
        const __m128i opaque = _mm_set1_epi32(int(opaqueBits));
        low_ = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(source)), opaque);
        high_ = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(source + 4)), opaque);
#else
        for (int i = 0; i < 8; ++i)
            pixels_[i] = source[i] | opaqueBits;
#endif
    }

    unsigned matches(QRgb colour) const
    {
#if defined(__SSE2__)
        const __m128i wanted = _mm_set1_epi32(int(colour));
        const int low = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(low_, wanted)));
        const int high = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(high_, wanted)));
        return unsigned(low | high << 4);
#else
        unsigned bits = 0;
        for (int i = 0; i < 8; ++i)
            bits |= unsigned(pixels_[i] == colour) << i;
        return bits;
#endif
    }

private:
#if defined(__SSE2__)
    __m128i low_;
    __m128i high_;
#else
    QRgb pixels_[8];
#endif
};

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
    // Meets the colours of pixels that are neither of the two known; false at a third.
    const auto learn = [&](const QRgb* source, int count) {
        for (int i = 0; i < count; ++i) {
            const QRgb c = source[i] | opaqueBits;
            if (c != first && (c != second || colours.count < 2)) {
                if (!colours.add(c))
                    return false;
                second = c;
            }
        }
        return true;
    };
    // Eight pixels to a byte, without a branch per pixel: the colours are learnt only for a
    // byte that holds one not met before.
    const auto packByte = [&](const QRgb* source, int count, uchar& target) {
        unsigned byte = 0;
        bool unknown = false;
        for (int i = 0; i < count; ++i) {
            const QRgb c = source[i] | opaqueBits;
            byte = (byte << 1) | unsigned(c != first);
            unknown |= c != first && c != second;
        }
        if (unknown && !learn(source, count))
            return false;
        target = uchar(byte << (8 - count));
        return true;
    };
    const auto packWholeByte = [&](const QRgb* source, uchar& target) {
        const EightPixels pixels(source, opaqueBits);
        const unsigned notFirst = ~pixels.matches(first) & 0xffu;
        if ((notFirst & ~pixels.matches(second)) != 0 && !learn(source, 8))
            return false;
        target = reversedBits[notFirst];
        return true;
    };
    const int wholeBytes = width / 8;
    int newRows = 0;
    const bool packed = packRows(image, rows, [&](const QRgb* source, uchar* target) {
        ++newRows;
        for (int i = 0; i < wholeBytes; ++i) {
            if (!packWholeByte(source + 8 * i, target[i]))
                return false;
        }
        return width % 8 == 0 || packByte(source + 8 * wholeBytes, width % 8, target[wholeBytes]);
    });
    if (!packed)
        return false;
    // Each row's filter byte is a 0 byte. Where a row is unlike the one above, and so is not
    // packed as a copy of it, that byte breaks the runs of a background of 1 bits, but not
    // those of a background kept at 0 through a palette (the top left pixel's colour first).
    // With many such rows, and long ones, that gains more than the palette costs: about 4 %
    // of a captioned barcode.
    const bool blackAndWhite = isBlackOrWhite(colours.first) && (colours.count < 2 || isBlackOrWhite(colours.second));
    const bool blackFirst = (colours.first & 0xffffffu) == 0;
    const bool paletteGains = newRows >= fewestNewRowsForPalette && rows.stride >= shortestRowForPalette;
    if (blackAndWhite && (blackFirst || !paletteGains)) {
        // In grey bit 1 must be white.
        if (!blackFirst) {
            for (uchar& byte : rows.bytes)
                byte = uchar(~byte);
        }
        return true;
    }
    rows.colourType = colourPalette;
    for (int entry = 0; entry < colours.count; ++entry) {
        const QRgb c = entry == 0 ? colours.first : colours.second;
        rows.palette.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    }
    return true;
}

// Rows of one byte (grey) or several (RGB, RGBA) a pixel; pack writes one pixel's bytes.
template <class PackPixel>
void deeperRows(const QImage& image, int colourType, int channels, Rows& rows, PackPixel pack)
{
    const int width = image.width();
    rows.colourType = colourType;
    rows.bitDepth = 8;
    rows.stride = width * channels;
    rows.bytes.resize(size_t(rows.stride) * size_t(image.height()));
    packRows(image, rows, [&](const QRgb* source, uchar* target) {
        for (int x = 0; x < width; ++x, target += channels)
            pack(source[x], target);
        return true;
    });
}

void greyRows(const QImage& image, Rows& rows)
{
    deeperRows(image, colourGrey, 1, rows, [](QRgb c, uchar* target) { target[0] = uchar(c); });
}

void rgbRows(const QImage& image, Rows& rows)
{
    deeperRows(image, colourRgb, 3, rows, [](QRgb c, uchar* target) {
        target[0] = uchar(qRed(c));
        target[1] = uchar(qGreen(c));
        target[2] = uchar(qBlue(c));
    });
}

// The file keeps colours apart from their alpha.
void rgbaRows(const QImage& image, Rows& rows)
{
    const bool premultiplied = image.format() == QImage::Format_ARGB32_Premultiplied;
    deeperRows(image, colourRgba, 4, rows, [premultiplied](QRgb c, uchar* target) {
        if (premultiplied)
            c = qUnpremultiply(c);
        target[0] = uchar(qRed(c));
        target[1] = uchar(qGreen(c));
        target[2] = uchar(qBlue(c));
        target[3] = uchar(qAlpha(c));
    });
}

// A compressor per thread and level, made once: making one costs about as much as packing
// a whole barcode picture. Two-coloured rows pack to few bytes, so a fairly thorough search
// costs little and keeps barcode files small (a deeper one gains a few per cent for a third
// more time); plain rows let whole repeated rows match. Deeper rows are stored as
// differences to the row above and packed quickly.
libdeflate_compressor* compressorFor(const Rows& rows)
{
    struct Compressor
    {
        explicit Compressor(int level)
            : made(libdeflate_alloc_compressor(level))
        { }
        ~Compressor() { libdeflate_free_compressor(made); }
        Compressor(const Compressor&) = delete;
        Compressor& operator=(const Compressor&) = delete;
        libdeflate_compressor* made;
    };
    if (rows.bitDepth == 1) {
        thread_local Compressor twoColours(7);
        return twoColours.made;
    }
    thread_local Compressor deeper(1);
    return deeper.made;
}

constexpr uchar filterNone = 0;
constexpr uchar filterUp = 2;

// The image data: each row behind its filter byte, deflated in the zlib format into
// buffers.packed; its length, 0 on failure.
size_t compressedRows(const Rows& rows, int height, PngBuffers& buffers)
{
    libdeflate_compressor* compressor = compressorFor(rows);
    if (!compressor)
        return 0;
    const bool up = rows.bitDepth != 1;
    const size_t lineLength = size_t(rows.stride) + 1;
    std::vector<uchar>& lines = buffers.lines;
    lines.resize(lineLength * size_t(height));
    for (int y = 0; y < height; ++y) {
        uchar* line = lines.data() + size_t(y) * lineLength;
        const uchar* row = rows.row(y);
        line[0] = up ? filterUp : filterNone;
        if (up && y > 0) {
            const uchar* above = rows.row(y - 1);
            for (int i = 0; i < rows.stride; ++i)
                line[i + 1] = uchar(row[i] - above[i]);
        } else {
            std::memcpy(line + 1, row, size_t(rows.stride));
        }
    }
    const size_t bound = libdeflate_zlib_compress_bound(compressor, lines.size());
    if (bound > size_t(std::numeric_limits<qsizetype>::max() / 2))
        return 0;
    buffers.packed.resize(bound);
    return libdeflate_zlib_compress(compressor, lines.data(), lines.size(), buffers.packed.data(), bound);
}

void appendNumber(QByteArray& output, quint32 number)
{
    const char bytes[4] = { char(number >> 24), char(number >> 16), char(number >> 8), char(number) };
    output.append(bytes, 4);
}

void appendChunk(QByteArray& output, const char (&type)[5], const char* data, size_t size)
{
    appendNumber(output, quint32(size));
    const qsizetype start = output.size();
    output.append(type, 4);
    output.append(data, qsizetype(size));
    const char* checked = output.constData() + start;
    appendNumber(output, libdeflate_crc32(0, checked, size_t(output.size() - start)));
}

QByteArray header(const Rows& rows, int width, int height)
{
    QByteArray data;
    appendNumber(data, quint32(width));
    appendNumber(data, quint32(height));
    // Bit depth, colour type, deflate, adaptive filters, no interlacing.
    const char form[5] = { char(rows.bitDepth), char(rows.colourType), 0, 0, 0 };
    data.append(form, 5);
    return data;
}

void appendChunk(QByteArray& output, const char (&type)[5], const QByteArray& data)
{
    appendChunk(output, type, data.constData(), size_t(data.size()));
}

bool writePng(const Rows& rows, int width, int height, int dotsPerMeterX, int dotsPerMeterY, PngBuffers& buffers,
    QByteArray* output)
{
    const size_t packed = compressedRows(rows, height, buffers);
    if (packed == 0)
        return false;
    output->reserve(qsizetype(packed) + 128);
    static const char signature[8] = { char(0x89), 'P', 'N', 'G', '\r', '\n', 0x1a, '\n' };
    output->append(signature, 8);
    appendChunk(*output, "IHDR", header(rows, width, height));
    if (!rows.palette.isEmpty())
        appendChunk(*output, "PLTE", rows.palette);
    if (dotsPerMeterX > 0 && dotsPerMeterY > 0) {
        QByteArray resolution;
        appendNumber(resolution, quint32(dotsPerMeterX));
        appendNumber(resolution, quint32(dotsPerMeterY));
        resolution.append(char(1)); // per metre
        appendChunk(*output, "pHYs", resolution);
    }
    appendChunk(*output, "IDAT", reinterpret_cast<const char*>(buffers.packed.data()), packed);
    appendChunk(*output, "IEND", QByteArray());
    return true;
}

} // namespace

QByteArray encodePngFast(const QImage& image, PngBuffers* buffers)
{
    if (image.isNull())
        return {};
    const bool thirtyTwoBits = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
        || image.format() == QImage::Format_ARGB32_Premultiplied;
    const QImage pixels = thirtyTwoBits ? image : image.convertToFormat(QImage::Format_ARGB32);
    if (pixels.isNull())
        return {};
    PngBuffers ownBuffers;
    PngBuffers& working = buffers ? *buffers : ownBuffers;
    const bool hasAlpha = pixels.hasAlphaChannel();
    Rows rows(working.rows);
    if (!packTwoColours(pixels, hasAlpha, rows)) {
        const Colours colours = survey(pixels, hasAlpha);
        if (!colours.opaque)
            rgbaRows(pixels, rows);
        else if (colours.grey)
            greyRows(pixels, rows);
        else
            rgbRows(pixels, rows);
    }
    if (rows.bytes.empty())
        return {};
    QByteArray output;
    if (!writePng(
            rows, pixels.width(), pixels.height(), pixels.dotsPerMeterX(), pixels.dotsPerMeterY(), working, &output))
        return {};
    return output;
}

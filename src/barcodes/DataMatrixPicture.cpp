#include "barcodes/DataMatrixPicture.h"

#include <cstdio>
#include <cstring>

namespace {

bool gridMatches(std::span<const uint8_t> grid, int W, int H)
{
    return W > 0 && H > 0 && W <= 4096 && H <= 4096
        && grid.size() == static_cast<size_t>(W) * static_cast<size_t>(H);
}

QByteArray escapedCommentText(const QByteArray& value)
{
    QByteArray text;
    text.reserve(value.size());
    for (char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte > 126 || byte == '\\') {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\%03o", byte);
            text.append(escape, 4);
        } else {
            text.append(c);
        }
    }
    return text;
}

} // namespace

QByteArray makeEPS_Data_Matrix(const QByteArray& value, int W, int H, std::span<const uint8_t> grid)
{
    if (!gridMatches(grid, W, H))
        return {};
    const QByteArray width = QByteArray::number(W);
    const QByteArray height = QByteArray::number(H);
    QByteArray eps;
    eps.reserve(400 + value.size() * 4 + H * (W / 4 + 4));
    eps += "%!PS-Adobe-3.0 EPSF-3.0\n";
    eps += "%%Creator: IEC16022 barcode/stamp generator\n";
    eps += "%%BarcodeData: " + escapedCommentText(value) + "\n";
    eps += "%%BarcodeSize: " + width + "x" + height + "\n";
    eps += "%%BarcodeFormat: ECC200\n";
    eps += "%%DocumentData: Clean7Bit\n";
    eps += "%%LanguageLevel: 1\n";
    eps += "%%Pages: 1\n";
    eps += "%%BoundingBox: 0 0 " + QByteArray::number(W + 2) + " " + QByteArray::number(H + 2) + "\n";
    eps += "%%EndComments\n";
    eps += "%%Page: 1 1\n";
    eps += width + " " + height + " 1[1 0 0 1 -1 -1]{<\n";

    static constexpr char hexDigits[] = "0123456789ABCDEF";
    auto writeByte = [&](unsigned bits) {
        const unsigned inverted = ~bits & 0xFF; // dark modules are black, which is 0
        eps += hexDigits[inverted >> 4];
        eps += hexDigits[inverted & 0x0F];
    };
    int counted = 0;
    for (int y = 0; y < H; ++y) {
        const uint8_t* row = grid.data() + static_cast<size_t>(y) * static_cast<size_t>(W);
        unsigned bits = 0;
        int bitCount = 0;
        for (int x = 0; x < W; ++x) {
            bits = (bits << 1) | (row[x] ? 1u : 0u);
            if (++bitCount == 8) {
                writeByte(bits);
                ++counted;
                bits = 0;
                bitCount = 0;
            }
        }
        if (bitCount > 0) {
            writeByte(bits << (8 - bitCount));
            ++counted;
        }
        eps += ' ';
        ++counted;
        if (counted >= 80) {
            eps += '\n';
            counted = 0;
        }
    }
    if (counted != 0)
        eps += '\n';
    eps += "\n>}image\n";
    return eps;
}

QImage dataMatrixImage(std::span<const uint8_t> grid, int W, int H, int pixelsPerModule, int quietZoneModules)
{
    if (!gridMatches(grid, W, H) || pixelsPerModule < 1 || pixelsPerModule > 100 || quietZoneModules < 0
        || quietZoneModules > 100)
        return {};
    const int side = pixelsPerModule;
    const int border = quietZoneModules * side;
    QImage image((W * side) + 2 * border, (H * side) + 2 * border, QImage::Format_Grayscale8);
    if (image.isNull())
        return {};
    image.fill(255);
    // One module per point: pixelsPerModule * 72 dots per inch.
    const int dotsPerMeter = qRound(side * 72 / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);

    for (int y = 0; y < H; ++y) {
        // Grid row 0 is the bottom row of the symbol, the last row of the image.
        const uint8_t* cells = grid.data() + static_cast<size_t>(y) * static_cast<size_t>(W);
        uchar* line = image.scanLine(border + (H - 1 - y) * side);
        for (int x = 0; x < W; ++x)
            if (cells[x])
                std::memset(line + border + x * side, 0, static_cast<size_t>(side));
        for (int copy = 1; copy < side; ++copy)
            std::memcpy(image.scanLine(border + (H - 1 - y) * side + copy), line, static_cast<size_t>(image.width()));
    }
    return image;
}

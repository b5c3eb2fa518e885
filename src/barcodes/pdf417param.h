#pragma once

#include "barcodes/pdf417Tables.h"

#include <QByteArray>

#include <array>
#include <cstdint>
#include <vector>

// Option bits of pdf417param::options.
enum Pdf417Option : int {
    PDF417_USE_ROWS_AND_COLUMNS = 1, // take codeRows and codeColumns as they are
    PDF417_FIXED_COLUMNS = 2,        // keep codeColumns, compute the rows
    PDF417_FIXED_ROWS = 4,           // keep codeRows, compute the columns
    PDF417_USE_ERROR_LEVEL = 16,     // start from errorLevel instead of the data size
    PDF417_USE_RAW_CODEWORDS = 64,   // codewords already holds the data codewords
    PDF417_INVERT_BITMAP = 128,      // a set bit in outBits is a space instead of a bar
};

// Values of pdf417param::error.
enum Pdf417Error : int {
    PDF417_ERROR_NONE = 0,
    PDF417_ERROR_TEXT_TOO_BIG = 1,
    PDF417_ERROR_INVALID_PARAMS = 2,
};

// One PDF417 encoding: the caller fills in the text and the options, paintCode() fills in
// the codewords, the layout and the bit image. A record belongs to one thread at a time.
struct pdf417param
{
    // Bit image: codeRows rows of (bitColumns - 1) / 8 + 1 bytes, first module in the most
    // significant bit; empty unless the last paintCode() succeeded.
    std::vector<uint8_t> outBits;
    int lenBits = 0;
    int bitColumns = 0;
    int codeRows = 0;     // 3-90
    int codeColumns = 0;  // data columns, 1-30
    // Codeword 0 is the symbol length descriptor; then data, padding, check codewords.
    std::array<int, pdf417::MAX_CODEWORDS> codewords{};
    int lenCodewords = 0;
    int errorLevel = 0;   // 2^(level+1) check codewords
    QByteArray text;
    int lenText = -1;     // bytes of text to encode; -1: up to the first zero byte
    int options = 0;
    float aspectRatio = 0.5f; // wanted width to height of the automatic layout
    float yHeight = 3.0f;     // row height in module widths, for the automatic layout
    int error = PDF417_ERROR_NONE;
};

// Sets the defaults of a new encoding; the layout fields keep their values.
void pdf417init(pdf417param& param);
// Encodes and paints. On return error tells the result; on success outBits, lenBits,
// bitColumns, codeRows, codeColumns, errorLevel and lenCodewords describe the symbol.
void paintCode(pdf417param& param);
// Drops the bit image.
void pdf417free(pdf417param& param);

// Most bytes a text may have.
constexpr int PDF417_MAX_TEXT_BYTES = 5420;

namespace pdf417 {
// The painting step of paintCode(): the bit image of the record's codewords, rows and
// columns, with start and stop patterns and row indicators.
void outPaintCode(pdf417param& param);
} // namespace pdf417

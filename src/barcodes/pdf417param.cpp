#include "barcodes/pdf417param.h"

#include "barcodes/pdf417Compaction.h"
#include "barcodes/pdf417Segments.h"

#include <algorithm>
#include <cmath>

using namespace pdf417;

namespace {

constexpr int MIN_COLUMNS = 1;
constexpr int MAX_COLUMNS = 30;
constexpr int MIN_ROWS = 3;
constexpr int MAX_ROWS = 90;
constexpr int PAD = 900;

int checkCodewordCount(int level)
{
    return 2 << level;
}

// The highest level whose check codewords fit in the given room (level 0 at the least).
int maxPossibleErrorLevel(int room)
{
    for (int level = MAX_ERROR_LEVEL; level > 0; --level) {
        if (checkCodewordCount(level) <= room)
            return level;
    }
    return 0;
}

// The automatic level grows with the data.
int defaultErrorLevel(int dataCodewords)
{
    if (dataCodewords < 41)
        return 2;
    if (dataCodewords < 161)
        return 3;
    if (dataCodewords < 321)
        return 4;
    return 5;
}

// Largest symbols: 928 codewords in a shape near the columns asked for.
void getMaxSquare(pdf417param& param)
{
    if (param.codeColumns < 22) {
        param.codeColumns = 16;
        param.codeRows = 58;
    } else {
        param.codeColumns = 29;
        param.codeRows = 32;
    }
}

void rowsFromColumns(pdf417param& param, int total)
{
    param.codeRows = std::max(MIN_ROWS, (total - 1) / param.codeColumns + 1);
    if (param.codeRows > MAX_ROWS) {
        param.codeRows = MAX_ROWS;
        param.codeColumns = (total - 1) / MAX_ROWS + 1;
    }
}

void columnsFromRows(pdf417param& param, int total)
{
    param.codeColumns = (total - 1) / param.codeRows + 1;
    if (param.codeColumns > MAX_COLUMNS) {
        param.codeColumns = MAX_COLUMNS;
        param.codeRows = (total - 1) / MAX_COLUMNS + 1;
    }
}

// Columns for a symbol of the wanted width to height ratio, rows being yHeight modules high.
int columnsForAspectRatio(const pdf417param& param, int total)
{
    const double ratio = std::isnan(param.aspectRatio) ? 0.5 : std::clamp(double(param.aspectRatio), 0.001, 1000.0);
    const double b = 73.0 * ratio - 4.0;
    const double discriminant = b * b + 4.0 * 17.0 * ratio * total * double(param.yHeight);
    double columns = (-b + std::sqrt(std::max(0.0, discriminant))) / (2.0 * 17.0 * ratio) + 0.5;
    // A nonsensical row height must not reach the integer conversion.
    if (std::isnan(columns))
        columns = MIN_COLUMNS;
    return int(std::clamp(columns, double(MIN_COLUMNS), double(MAX_COLUMNS)));
}

// Chooses rows and columns for at least `needed` codewords; returns the symbol's total.
int layOut(pdf417param& param, int needed)
{
    param.codeColumns = std::clamp(param.codeColumns, MIN_COLUMNS, MAX_COLUMNS);
    param.codeRows = std::clamp(param.codeRows, MIN_ROWS, MAX_ROWS);
    int total = needed;
    if (param.options & PDF417_USE_ROWS_AND_COLUMNS) {
        total = param.codeColumns * param.codeRows;
        if (total > MAX_CODEWORDS) {
            getMaxSquare(param);
            total = MAX_CODEWORDS;
        }
        if (total >= needed)
            return total;
        total = needed;
    }
    if (param.options & PDF417_FIXED_COLUMNS) {
        rowsFromColumns(param, total);
    } else if (param.options & PDF417_FIXED_ROWS) {
        columnsFromRows(param, total);
    } else {
        param.codeColumns = columnsForAspectRatio(param, total);
        rowsFromColumns(param, total);
    }
    total = param.codeColumns * param.codeRows;
    if (total > MAX_CODEWORDS) {
        getMaxSquare(param);
        total = MAX_CODEWORDS;
    }
    return total;
}

// Appends the Reed-Solomon check codewords of codewords[0, dataCount).
void calculateErrorCorrection(pdf417param& param, int dataCount, int level)
{
    const std::span<const int> coefficients = ERROR_LEVEL(level);
    const int count = int(coefficients.size());
    // Two buffers, so that each step reads the old remainder and writes the new one
    // without overlap, which lets the compiler vectorise the loop.
    std::array<int, 2 << MAX_ERROR_LEVEL> buffers[2]{};
    int* remainder = buffers[0].data();
    int* next = buffers[1].data();
    for (int i = 0; i < dataCount; ++i) {
        const int feedback = (param.codewords[size_t(i)] + remainder[count - 1]) % CODEWORD_VALUES;
        next[0] = (CODEWORD_VALUES - feedback * coefficients[0] % CODEWORD_VALUES) % CODEWORD_VALUES;
        for (int j = 1; j < count; ++j) {
            const int value = remainder[j - 1] - feedback * coefficients[size_t(j)] % CODEWORD_VALUES;
            next[j] = value < 0 ? value + CODEWORD_VALUES : value;
        }
        std::swap(remainder, next);
    }
    // The check codewords are the remainder's complement; a zero stays zero, since 929 is
    // not a codeword.
    for (int j = 0; j < count; ++j)
        param.codewords[size_t(dataCount + j)] = (CODEWORD_VALUES - remainder[size_t(count - 1 - j)]) % CODEWORD_VALUES;
}

bool rawCodewordsValid(const pdf417param& param)
{
    if (param.lenCodewords < 1 || param.lenCodewords > MAX_DATA_CODEWORDS || param.codewords[0] != param.lenCodewords)
        return false;
    return std::all_of(param.codewords.begin(), param.codewords.begin() + param.lenCodewords,
                       [](int codeword) { return codeword >= 0 && codeword < CODEWORD_VALUES; });
}

// Segments and compacts the text into the codewords; false with the error set on failure.
bool encodeText(pdf417param& param)
{
    int length = param.lenText;
    if (length < 0) {
        length = int(param.text.indexOf('\0'));
        if (length < 0)
            length = int(param.text.size());
    }
    if (length > param.text.size()) {
        param.error = PDF417_ERROR_INVALID_PARAMS;
        return false;
    }
    param.lenText = length;
    if (length > PDF417_MAX_TEXT_BYTES) {
        param.error = PDF417_ERROR_TEXT_TOO_BIG;
        return false;
    }
    const std::span<const uint8_t> text(reinterpret_cast<const uint8_t*>(param.text.constData()), size_t(length));
    CodewordBuffer buffer{param.codewords};
    if (!assemble(text, breakString(text), buffer)) {
        param.error = PDF417_ERROR_TEXT_TOO_BIG;
        return false;
    }
    param.lenCodewords = buffer.count;
    param.codewords[0] = buffer.count;
    return true;
}

} // namespace

void pdf417init(pdf417param& param)
{
    param.outBits.clear();
    param.lenBits = 0;
    param.options = 0;
    param.error = PDF417_ERROR_NONE;
    param.lenText = -1;
    param.text.clear();
    param.yHeight = 3.0f;
    param.aspectRatio = 0.5f;
}

void pdf417free(pdf417param& param)
{
    param.outBits.clear();
    param.outBits.shrink_to_fit();
    param.lenBits = 0;
}

void paintCode(pdf417param& param)
{
    param.error = PDF417_ERROR_NONE;
    // A failed encoding must not leave the previous symbol looking like its result.
    pdf417free(param);
    if (param.options & PDF417_USE_RAW_CODEWORDS) {
        if (!rawCodewordsValid(param)) {
            param.error = PDF417_ERROR_INVALID_PARAMS;
            return;
        }
    } else if (!encodeText(param)) {
        return;
    }

    int level = (param.options & PDF417_USE_ERROR_LEVEL) ? param.errorLevel : defaultErrorLevel(param.lenCodewords);
    level = std::clamp(level, 0, maxPossibleErrorLevel(MAX_CODEWORDS - param.lenCodewords));
    const int total = layOut(param, param.lenCodewords + checkCodewordCount(level));

    // The leftover room goes to error correction first, then to padding.
    level = maxPossibleErrorLevel(total - param.lenCodewords);
    const int dataCount = total - checkCodewordCount(level);
    std::fill(param.codewords.begin() + param.lenCodewords, param.codewords.begin() + dataCount, PAD);
    param.codewords[0] = dataCount;
    calculateErrorCorrection(param, dataCount, level);
    param.lenCodewords = total;
    param.errorLevel = level;
    outPaintCode(param);
}

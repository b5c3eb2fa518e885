#include "barcodes/pdf417param.h"

#include <algorithm>

namespace pdf417 {

namespace {

// Writes patterns into one row of the bit image, first module in the most significant bit.
class RowWriter
{
public:
    explicit RowWriter(uint8_t* row) : row_(row) {}

    // Ors a pattern of up to 25 modules in at once rather than bit by bit.
    void write(uint32_t pattern, int modules)
    {
        const int offset = position_ & 7;
        const uint64_t aligned = uint64_t(pattern) << (64 - modules - offset);
        uint8_t* first = row_ + (position_ >> 3);
        const int bytes = (offset + modules + 7) / 8;
        for (int i = 0; i < bytes; ++i)
            first[i] |= uint8_t(aligned >> (56 - 8 * i));
        position_ += modules;
    }

private:
    uint8_t* row_;
    int position_ = 0;
};

struct RowIndicators
{
    int left;
    int right;
};

// The indicators tell a reader the rows, the columns and the error level, spread over the
// three clusters.
RowIndicators rowIndicators(const pdf417param& param, int row)
{
    const int base = 30 * (row / 3);
    const int rowsPart = base + (param.codeRows - 1) / 3;
    const int columnsPart = base + param.codeColumns - 1;
    const int levelPart = base + 3 * param.errorLevel + (param.codeRows - 1) % 3;
    switch (row % 3) {
    case 0:
        return {rowsPart, columnsPart};
    case 1:
        return {levelPart, rowsPart};
    default:
        return {columnsPart, levelPart};
    }
}

} // namespace

void outPaintCode(pdf417param& param)
{
    param.bitColumns = START_MODULES + CODEWORD_MODULES * (param.codeColumns + 2) + STOP_MODULES;
    const int bytesPerRow = (param.bitColumns - 1) / 8 + 1;
    param.lenBits = bytesPerRow * param.codeRows;
    param.outBits.assign(size_t(param.lenBits), 0);
    for (int row = 0; row < param.codeRows; ++row) {
        const auto& cluster = CLUSTERS[size_t(row % 3)];
        const RowIndicators indicators = rowIndicators(param, row);
        RowWriter writer(param.outBits.data() + size_t(row * bytesPerRow));
        writer.write(START_PATTERN, START_MODULES);
        writer.write(cluster[size_t(indicators.left)], CODEWORD_MODULES);
        for (int column = 0; column < param.codeColumns; ++column)
            writer.write(cluster[size_t(param.codewords[size_t(row * param.codeColumns + column)])], CODEWORD_MODULES);
        writer.write(cluster[size_t(indicators.right)], CODEWORD_MODULES);
        writer.write(STOP_PATTERN, STOP_MODULES);
    }
    if (param.options & PDF417_INVERT_BITMAP)
        std::for_each(param.outBits.begin(), param.outBits.end(), [](uint8_t& byte) { byte = uint8_t(~byte); });
}

} // namespace pdf417

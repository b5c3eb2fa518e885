#pragma once

#include "barcodes/QRCodeTables.h"

#include <cstdint>

// Scores the eight data masks of one QR symbol by the four penalty rules. The symbol is
// held as bit rows and bit columns, so that masking and every rule work on whole machine
// words: choosing the mask of a version-40 symbol takes well under a millisecond.
class QRMaskPenalty
{
public:
    // One row or column of modules, bit x = module x (1 = dark).
    struct Line
    {
        static constexpr int kWords = 3;
        static_assert(kWords * 64 >= qrtables::kMaxModules + 8, "room for the padded finder test");
        uint64_t w[kWords] = {};

        constexpr void set(int bit) { w[bit >> 6] |= uint64_t{1} << (bit & 63); }
        constexpr bool test(int bit) const { return (w[bit >> 6] >> (bit & 63)) & 1; }
    };

    // Module flags of the encoder's matrix ([x][y]), once function patterns and codewords
    // are in place and before any mask.
    static constexpr uint8_t kFunction = 0x20;
    static constexpr uint8_t kFunctionDark = 0x10;
    static constexpr uint8_t kDataDark = 0x02;

    void load(const uint8_t (&modules)[qrtables::kMaxModules][qrtables::kMaxModules], int size);
    // Penalty of the symbol with the mask and its format information (level 0-3).
    int64_t penalty(int mask, int64_t level);

    // Where the mask inverts column x: bit y set for row y.
    static const Line& maskColumn(int mask, int x);

private:
    void applyMask(int mask, int64_t level);
    template <int W>
    int64_t scoreMasked() const;
    template <int W>
    int64_t linePenalty(const Line& line) const;

    int m_size = 0;
    Line m_runEnds;     // positions 0 .. size - 2: a module with a next one
    Line m_paddedLine;  // positions 0 .. size + 7: a line with four modules of edge each side
    // Dark function modules, data modules and data bits before masking, by row and by column.
    Line m_functionDarkRows[qrtables::kMaxModules], m_functionDarkColumns[qrtables::kMaxModules];
    Line m_dataRows[qrtables::kMaxModules], m_dataColumns[qrtables::kMaxModules];
    Line m_bitRows[qrtables::kMaxModules], m_bitColumns[qrtables::kMaxModules];
    // Final colours under the mask being scored.
    Line m_rows[qrtables::kMaxModules], m_columns[qrtables::kMaxModules];
};

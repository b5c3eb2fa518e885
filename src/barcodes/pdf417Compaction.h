#pragma once

#include "barcodes/pdf417Segments.h"
#include "barcodes/pdf417Tables.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace pdf417 {

// Data codewords may fill the symbol up to this count, leaving room for two check codewords.
constexpr int MAX_DATA_CODEWORDS = MAX_CODEWORDS - 2;

constexpr int LATCH_TEXT = 900;
constexpr int LATCH_BYTE = 901;
constexpr int LATCH_NUMERIC = 902;
constexpr int SHIFT_BYTE = 913;
constexpr int LATCH_BYTE_SIX = 924;

// Codewords being assembled: codeword 0 is kept for the length descriptor.
struct CodewordBuffer
{
    std::array<int, MAX_CODEWORDS>& codewords;
    int count = 1;

    // Appends the codewords when they fit within MAX_DATA_CODEWORDS, else appends nothing.
    bool append(std::span<const int> values);
};

// Compacts the segments in order, each after its latch (none before a first text segment,
// since a symbol starts in text compaction). False when the codewords do not fit.
bool assemble(std::span<const uint8_t> text, const std::vector<Segment>& segments, CodewordBuffer& out);

std::vector<int> textCompaction(std::span<const uint8_t> text);
std::vector<int> numberCompaction(std::span<const uint8_t> digits);
std::vector<int> byteCompaction(std::span<const uint8_t> bytes);

} // namespace pdf417

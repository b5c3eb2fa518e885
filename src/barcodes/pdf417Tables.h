#pragma once

#include <array>
#include <cstdint>
#include <span>

// Constant tables of the PDF417 symbology. All of them are read-only after first use, so
// encoders on several threads share them safely.
namespace pdf417 {

// Codeword values run from 0 to 928 (modulo the prime 929).
constexpr int CODEWORD_VALUES = 929;
constexpr int MAX_CODEWORDS = 928;
constexpr int MAX_ERROR_LEVEL = 8;

// Bar patterns of 17 modules for clusters 0, 3 and 6 (row k uses table k mod 3); the first
// module is the most significant of the 17 bits, and a set bit is a bar.
extern const std::array<std::array<uint32_t, CODEWORD_VALUES>, 3> CLUSTERS;

constexpr uint32_t START_PATTERN = 0x1fea8; // 11111111010101000, 17 modules
constexpr uint32_t STOP_PATTERN = 0x3fa29;  // 111111101000101001, 18 modules
constexpr int START_MODULES = 17;
constexpr int STOP_MODULES = 18;
constexpr int CODEWORD_MODULES = 17;

// Text compaction sub-mode sets: a character's value is its position.
constexpr char MIXED_SET[] = "0123456789&\r\t,:#-.$/+%*=^";
constexpr char PUNCTUATION_SET[] = ";<>@[\\]_`~!\r\t,:\n-.$/\"|*()?{}'";

// Reed-Solomon generator coefficients of an error level (0-8): 2^(level+1) values, the
// coefficient of x^0 first, the leading 1 left out.
std::span<const int> ERROR_LEVEL(int level);

} // namespace pdf417

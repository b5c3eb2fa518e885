#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The value tables of the C40, Text, X12 and EDIFACT encodations.

// Appends the C40 (text = false) or Text (text = true) values of one byte: the basic set,
// shift 1, 2 and 3, and upper shift for bytes of 128 and more.
void appendC40Values(std::vector<uint8_t>& values, uint8_t byte, bool text);

namespace datamatrix_detail {

struct ByteClass {
    uint8_t c40Count = 0;
    uint8_t textCount = 0;
    int8_t x12 = -1;
};

constexpr bool isBasic(int byte, bool text)
{
    if (byte == ' ' || (byte >= '0' && byte <= '9'))
        return true;
    return text ? (byte >= 'a' && byte <= 'z') : (byte >= 'A' && byte <= 'Z');
}

constexpr int x12Of(int byte)
{
    if (byte == '\r')
        return 0;
    if (byte == '*')
        return 1;
    if (byte == '>')
        return 2;
    if (byte == ' ')
        return 3;
    if (byte >= '0' && byte <= '9')
        return byte - '0' + 4;
    if (byte >= 'A' && byte <= 'Z')
        return byte - 'A' + 14;
    return -1;
}

constexpr std::array<ByteClass, 256> makeByteClasses()
{
    std::array<ByteClass, 256> classes{};
    for (int byte = 0; byte < 256; ++byte) {
        const int low = byte & 0x7F;
        const int extra = byte >= 128 ? 2 : 0; // shift 2 and upper shift
        classes[static_cast<std::size_t>(byte)] = {static_cast<uint8_t>(extra + (isBasic(low, false) ? 1 : 2)),
                                              static_cast<uint8_t>(extra + (isBasic(low, true) ? 1 : 2)),
                                              static_cast<int8_t>(x12Of(byte))};
    }
    return classes;
}

inline constexpr std::array<ByteClass, 256> byteClasses = makeByteClasses();

} // namespace datamatrix_detail

// Number of C40 or Text values one byte takes.
inline int c40ValueCount(uint8_t byte, bool text)
{
    const auto& byteClass = datamatrix_detail::byteClasses[byte];
    return text ? byteClass.textCount : byteClass.c40Count;
}

// The X12 value of a byte, or -1 when X12 cannot hold it.
inline int x12Value(uint8_t byte)
{
    return datamatrix_detail::byteClasses[byte].x12;
}

inline bool isDataMatrixDigit(uint8_t byte)
{
    return byte >= '0' && byte <= '9';
}

inline bool isEdifactByte(uint8_t byte)
{
    return byte >= 32 && byte <= 94;
}

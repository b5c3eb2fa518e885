#pragma once

#include <cstdint>
#include <vector>

// The value tables of the C40, Text, X12 and EDIFACT encodations.

// Number of C40 (text = false) or Text (text = true) values one byte takes.
int c40ValueCount(uint8_t byte, bool text);

// Appends the C40 or Text values of one byte: shift 1, 2 and 3 sets, upper shift for 128+.
void appendC40Values(std::vector<uint8_t>& values, uint8_t byte, bool text);

// The X12 value of a byte, or -1 when X12 cannot hold it.
int x12Value(uint8_t byte);

inline bool isDataMatrixDigit(uint8_t byte)
{
    return byte >= '0' && byte <= '9';
}

inline bool isEdifactByte(uint8_t byte)
{
    return byte >= 32 && byte <= 94;
}

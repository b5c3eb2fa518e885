#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace pdf417 {

// A stretch of the source bytes [start, end) and the compaction it gets.
struct Segment
{
    enum Type : char { Text = 'T', Numeric = 'N', Byte = 'B' };
    Type type;
    int start;
    int end;

    int length() const { return end - start; }
};

// Whether a byte can go into text compaction: printable ASCII, CR, LF or tab.
bool isTextClass(uint8_t c);

// Splits the source into text, numeric and byte segments, merging short runs into their
// neighbours where a mode switch would cost more than it saves.
std::vector<Segment> breakString(std::span<const uint8_t> text);

} // namespace pdf417

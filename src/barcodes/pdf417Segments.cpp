#include "barcodes/pdf417Segments.h"

#include <algorithm>

namespace pdf417 {

namespace {

// Runs of 13 digits or more are worth numeric compaction inside a longer text.
constexpr int MIN_NUMERIC_RUN = 13;
// A text of only digits is numeric from this length on.
constexpr int MIN_NUMERIC_TEXT = 8;
// A text run this long keeps text compaction and pulls its small neighbours in.
constexpr int MIN_STRONG_TEXT = 5;

bool isDigit(uint8_t c)
{
    return c >= '0' && c <= '9';
}

// Appends maximal runs of text-class and byte-class bytes of [start, end).
void splitTextAndBytes(std::span<const uint8_t> text, int start, int end, std::vector<Segment>& segments)
{
    int runStart = start;
    for (int i = start; i < end; ++i) {
        if (i + 1 == end || isTextClass(text[size_t(i)]) != isTextClass(text[size_t(i + 1)])) {
            segments.push_back({isTextClass(text[size_t(i)]) ? Segment::Text : Segment::Byte, runStart, i + 1});
            runStart = i + 1;
        }
    }
}

// Joins segments first..last (inclusive) into one of the given type.
void merge(std::vector<Segment>& segments, size_t first, size_t last, Segment::Type type)
{
    segments[first] = {type, segments[first].start, segments[last].end};
    segments.erase(segments.begin() + std::ptrdiff_t(first) + 1, segments.begin() + std::ptrdiff_t(last) + 1);
}

// Each merge step below looks at one segment and its two neighbours and starts again after
// a merge. Only segments next to the merged one can have changed, so the scan resumes just
// before it: the result equals a scan from the first segment without the quadratic cost.

// One byte between two texts is cheaper as a shift inside text compaction.
bool mergeSingleBytesIntoText(std::vector<Segment>& segments, size_t& resume)
{
    for (size_t k = std::max<size_t>(resume, 1); k + 1 < segments.size(); ++k) {
        const Segment& before = segments[k - 1];
        const Segment& after = segments[k + 1];
        if (segments[k].type == Segment::Byte && segments[k].length() == 1 && before.type == Segment::Text
            && after.type == Segment::Text && before.length() + after.length() >= 3) {
            merge(segments, k - 1, k + 1, Segment::Text);
            resume = k >= 2 ? k - 2 : 0;
            return true;
        }
    }
    return false;
}

bool absorbedByText(const Segment& neighbour)
{
    return neighbour.type == Segment::Text || (neighbour.type == Segment::Byte && neighbour.length() == 1);
}

bool growLongTexts(std::vector<Segment>& segments, size_t& resume)
{
    for (size_t k = resume; k < segments.size(); ++k) {
        if (segments[k].type != Segment::Text || segments[k].length() < MIN_STRONG_TEXT)
            continue;
        size_t first = k;
        size_t last = k;
        if (k + 1 < segments.size() && absorbedByText(segments[k + 1]))
            last = k + 1;
        if (k > 0 && absorbedByText(segments[k - 1]))
            first = k - 1;
        if (first != last) {
            merge(segments, first, last, Segment::Text);
            resume = first > 0 ? first - 1 : 0;
            return true;
        }
    }
    return false;
}

bool absorbedByBytes(const Segment& neighbour)
{
    return neighbour.type == Segment::Byte || (neighbour.type == Segment::Text && neighbour.length() < MIN_STRONG_TEXT);
}

bool growByteRuns(std::vector<Segment>& segments, size_t& resume)
{
    for (size_t k = resume; k < segments.size(); ++k) {
        if (segments[k].type != Segment::Byte)
            continue;
        size_t first = k;
        size_t last = k;
        if (k + 1 < segments.size() && absorbedByBytes(segments[k + 1]))
            last = k + 1;
        if (k > 0 && absorbedByBytes(segments[k - 1]))
            first = k - 1;
        if (first != last) {
            merge(segments, first, last, Segment::Byte);
            resume = first > 0 ? first - 1 : 0;
            return true;
        }
    }
    return false;
}

} // namespace

bool isTextClass(uint8_t c)
{
    return (c >= 32 && c <= 126) || c == '\r' || c == '\n' || c == '\t';
}

std::vector<Segment> breakString(std::span<const uint8_t> text)
{
    std::vector<Segment> segments;
    segments.reserve(20);
    const int length = int(text.size());
    int stretchStart = 0;
    for (int i = 0; i < length;) {
        if (!isDigit(text[size_t(i)])) {
            ++i;
            continue;
        }
        int runEnd = i;
        while (runEnd < length && isDigit(text[size_t(runEnd)]))
            ++runEnd;
        if (runEnd - i >= MIN_NUMERIC_RUN) {
            splitTextAndBytes(text, stretchStart, i, segments);
            segments.push_back({Segment::Numeric, i, runEnd});
            stretchStart = runEnd;
        }
        i = runEnd;
    }
    splitTextAndBytes(text, stretchStart, length, segments);

    size_t resume = 0;
    while (mergeSingleBytesIntoText(segments, resume)) {
    }
    resume = 0;
    while (growLongTexts(segments, resume)) {
    }
    resume = 0;
    while (growByteRuns(segments, resume)) {
    }

    if (segments.size() == 1 && segments[0].type == Segment::Text && segments[0].length() >= MIN_NUMERIC_TEXT) {
        bool allDigits = true;
        for (int i = segments[0].start; i < segments[0].end && allDigits; ++i)
            allDigits = isDigit(text[size_t(i)]);
        if (allDigits)
            segments[0].type = Segment::Numeric;
    }
    return segments;
}

} // namespace pdf417

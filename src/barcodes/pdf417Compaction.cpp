#include "barcodes/pdf417Compaction.h"

#include <algorithm>

namespace pdf417 {

namespace {

enum SubMode { Alpha, Lower, Mixed, Punctuation };

// Values that switch sub-modes; their meaning depends on the current sub-mode.
constexpr int SPACE = 26;
constexpr int ALPHA_TO_LOWER = 27;     // also Mixed to Lower
constexpr int LOWER_SHIFT_ALPHA = 27;  // one capital from Lower
constexpr int TO_MIXED = 28;           // from Alpha or Lower
constexpr int MIXED_TO_ALPHA = 28;
constexpr int MIXED_TO_PUNCTUATION = 25;
constexpr int SHIFT_PUNCTUATION = 29;  // one punctuation character, from any but Punctuation
constexpr int PUNCTUATION_TO_ALPHA = 29;
constexpr int PAD_VALUE = 29;

constexpr std::array<int8_t, 256> positionsIn(const char* set)
{
    std::array<int8_t, 256> positions{};
    positions.fill(-1);
    for (int i = 0; set[i] != 0; ++i)
        positions[uint8_t(set[i])] = int8_t(i);
    return positions;
}

constexpr std::array<int8_t, 256> MIXED_VALUES = positionsIn(MIXED_SET);
constexpr std::array<int8_t, 256> PUNCTUATION_VALUES = positionsIn(PUNCTUATION_SET);

// getTextTypeAndValue: the character's value in each sub-mode, -1 where it has none.
struct TextValues
{
    int alpha = -1;
    int lower = -1;
    int mixed = -1;
    int punctuation = -1;
};

TextValues textValues(uint8_t c)
{
    TextValues values;
    if (c >= 'A' && c <= 'Z')
        values.alpha = c - 'A';
    else if (c >= 'a' && c <= 'z')
        values.lower = c - 'a';
    else if (c == ' ')
        values.alpha = values.lower = values.mixed = SPACE;
    if (values.mixed < 0)
        values.mixed = MIXED_VALUES[c];
    values.punctuation = PUNCTUATION_VALUES[c];
    return values;
}

bool isCapital(uint8_t c)
{
    return c >= 'A' && c <= 'Z';
}

bool isPunctuation(uint8_t c)
{
    return PUNCTUATION_VALUES[c] >= 0;
}

// Whether the two characters after position i exist and pass the test: only then is a
// latch cheaper than shifting for each character.
template <typename Test>
bool nextTwoAre(std::span<const uint8_t> text, size_t i, Test test)
{
    return i + 2 < text.size() && test(text[i + 1]) && test(text[i + 2]);
}

// Text values are packed two to a codeword.
class TextPacker
{
public:
    void add(int value) { values_.push_back(value); }
    bool odd() const { return values_.size() % 2 != 0; }

    void flushInto(std::vector<int>& codewords)
    {
        for (size_t i = 0; i + 1 < values_.size(); i += 2)
            codewords.push_back(30 * values_[i] + values_[i + 1]);
        values_.clear();
    }

private:
    std::vector<int> values_;
};

} // namespace

bool CodewordBuffer::append(std::span<const int> values)
{
    if (count + int(values.size()) > MAX_DATA_CODEWORDS)
        return false;
    std::copy(values.begin(), values.end(), codewords.begin() + count);
    count += int(values.size());
    return true;
}

std::vector<int> textCompaction(std::span<const uint8_t> text)
{
    std::vector<int> codewords;
    codewords.reserve(text.size() / 2 + 2);
    TextPacker packer;
    SubMode mode = Alpha;
    for (size_t i = 0; i < text.size();) {
        const uint8_t c = text[i];
        const TextValues values = textValues(c);
        if (values.alpha < 0 && values.lower < 0 && values.mixed < 0 && values.punctuation < 0) {
            // A byte shift starts on a codeword boundary: an odd value count gets the pad,
            // which in Punctuation is the latch back to Alpha.
            if (packer.odd()) {
                packer.add(PAD_VALUE);
                if (mode == Punctuation)
                    mode = Alpha;
            }
            packer.flushInto(codewords);
            codewords.push_back(SHIFT_BYTE);
            codewords.push_back(c);
            ++i;
            continue;
        }
        switch (mode) {
        case Alpha:
            if (values.alpha >= 0) {
                packer.add(values.alpha);
            } else if (values.lower >= 0) {
                packer.add(ALPHA_TO_LOWER);
                packer.add(values.lower);
                mode = Lower;
            } else if (values.mixed >= 0) {
                packer.add(TO_MIXED);
                packer.add(values.mixed);
                mode = Mixed;
            } else if (nextTwoAre(text, i, isPunctuation)) {
                packer.add(TO_MIXED);
                packer.add(MIXED_TO_PUNCTUATION);
                packer.add(values.punctuation);
                mode = Punctuation;
            } else {
                packer.add(SHIFT_PUNCTUATION);
                packer.add(values.punctuation);
            }
            break;
        case Lower:
            if (values.lower >= 0) {
                packer.add(values.lower);
            } else if (values.alpha >= 0) {
                if (nextTwoAre(text, i, isCapital)) {
                    packer.add(TO_MIXED);
                    packer.add(MIXED_TO_ALPHA);
                    mode = Alpha;
                } else {
                    packer.add(LOWER_SHIFT_ALPHA);
                }
                packer.add(values.alpha);
            } else if (values.mixed >= 0) {
                packer.add(TO_MIXED);
                packer.add(values.mixed);
                mode = Mixed;
            } else if (nextTwoAre(text, i, isPunctuation)) {
                packer.add(TO_MIXED);
                packer.add(MIXED_TO_PUNCTUATION);
                packer.add(values.punctuation);
                mode = Punctuation;
            } else {
                packer.add(SHIFT_PUNCTUATION);
                packer.add(values.punctuation);
            }
            break;
        case Mixed:
            if (values.mixed >= 0) {
                packer.add(values.mixed);
            } else if (values.lower >= 0) {
                packer.add(ALPHA_TO_LOWER);
                packer.add(values.lower);
                mode = Lower;
            } else if (values.alpha >= 0) {
                packer.add(MIXED_TO_ALPHA);
                packer.add(values.alpha);
                mode = Alpha;
            } else if (nextTwoAre(text, i, isPunctuation)) {
                packer.add(MIXED_TO_PUNCTUATION);
                packer.add(values.punctuation);
                mode = Punctuation;
            } else {
                packer.add(SHIFT_PUNCTUATION);
                packer.add(values.punctuation);
            }
            break;
        case Punctuation:
            if (values.punctuation >= 0) {
                packer.add(values.punctuation);
            } else {
                packer.add(PUNCTUATION_TO_ALPHA);
                mode = Alpha;
                continue; // the same character again, from Alpha
            }
            break;
        }
        ++i;
    }
    if (packer.odd())
        packer.add(PAD_VALUE);
    packer.flushInto(codewords);
    return codewords;
}

std::vector<int> numberCompaction(std::span<const uint8_t> digits)
{
    // Each group of up to 44 digits, with a leading 1 so that leading zeros survive, is
    // written in base 900, most significant first. The group is held in base 10^9 limbs,
    // most significant first, so that each division by 900 takes a handful of steps.
    constexpr size_t GROUP = 44;
    constexpr uint64_t LIMB = 1000000000;
    std::vector<int> codewords;
    codewords.reserve(digits.size() / 3 + 2);
    for (size_t start = 0; start < digits.size(); start += GROUP) {
        const size_t count = std::min(GROUP, digits.size() - start);
        std::array<uint64_t, 6> limbs{};
        size_t limbCount = 0;
        // The leading 1 makes count + 1 decimal digits; the first limb takes the odd ones.
        size_t digitsInLimb = (count + 1) % 9 == 0 ? 9 : (count + 1) % 9;
        uint64_t limb = 1;
        --digitsInLimb;
        for (size_t i = 0; i < count; ++i) {
            if (digitsInLimb == 0) {
                limbs[limbCount++] = limb;
                limb = 0;
                digitsInLimb = 9;
            }
            limb = limb * 10 + uint64_t(digits[start + i] - '0');
            --digitsInLimb;
        }
        limbs[limbCount++] = limb;

        const size_t firstCodeword = codewords.size();
        size_t leading = 0; // the first non-zero limb
        while (leading < limbCount) {
            uint64_t remainder = 0;
            for (size_t i = leading; i < limbCount; ++i) {
                const uint64_t current = remainder * LIMB + limbs[i];
                limbs[i] = current / 900;
                remainder = current % 900;
            }
            codewords.push_back(int(remainder));
            while (leading < limbCount && limbs[leading] == 0)
                ++leading;
        }
        std::reverse(codewords.begin() + std::ptrdiff_t(firstCodeword), codewords.end());
    }
    return codewords;
}

std::vector<int> byteCompaction(std::span<const uint8_t> bytes)
{
    std::vector<int> codewords;
    codewords.reserve(bytes.size() / 6 * 5 + bytes.size() % 6);
    size_t i = 0;
    for (; i + 6 <= bytes.size(); i += 6) {
        uint64_t value = 0;
        for (size_t j = 0; j < 6; ++j)
            value = value << 8 | bytes[i + j];
        std::array<int, 5> group{};
        for (int j = 4; j >= 0; --j) {
            group[size_t(j)] = int(value % 900);
            value /= 900;
        }
        codewords.insert(codewords.end(), group.begin(), group.end());
    }
    for (; i < bytes.size(); ++i)
        codewords.push_back(bytes[i]);
    return codewords;
}

bool assemble(std::span<const uint8_t> text, const std::vector<Segment>& segments, CodewordBuffer& out)
{
    for (size_t k = 0; k < segments.size(); ++k) {
        const Segment& segment = segments[k];
        const auto bytes = text.subspan(size_t(segment.start), size_t(segment.length()));
        std::vector<int> codewords;
        switch (segment.type) {
        case Segment::Text:
            codewords = textCompaction(bytes);
            if (k > 0)
                codewords.insert(codewords.begin(), LATCH_TEXT);
            break;
        case Segment::Numeric:
            codewords = numberCompaction(bytes);
            codewords.insert(codewords.begin(), LATCH_NUMERIC);
            break;
        case Segment::Byte:
            codewords = byteCompaction(bytes);
            codewords.insert(codewords.begin(), segment.length() % 6 == 0 ? LATCH_BYTE_SIX : LATCH_BYTE);
            break;
        }
        if (!out.append(codewords))
            return false;
    }
    return true;
}

} // namespace pdf417

#include "barcodes/DataMatrixCodewords.h"

#include "barcodes/DataMatrixCharacterSets.h"
#include "barcodes/DataMatrixEncodation.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr uint8_t latchC40 = 230;
constexpr uint8_t latchBase256 = 231;
constexpr uint8_t upperShift = 235;
constexpr uint8_t latchX12 = 238;
constexpr uint8_t latchText = 239;
constexpr uint8_t latchEdifact = 240;
constexpr uint8_t unlatchTriplets = 254;
constexpr uint8_t edifactUnlatchValue = 31;
constexpr uint8_t padCodeword = 129;

std::string formatMessage(const char* format, int value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

class CodewordWriter {
public:
    CodewordWriter(int capacity, std::string_view source)
        : capacity(capacity), text(source), length(static_cast<int>(source.size()))
    {
        out.reserve(static_cast<size_t>(capacity));
    }

    // Each run starts and ends with the decoder in ASCII mode.
    bool encodeRun(char letter, int from, int to)
    {
        switch (letter) {
        case 'A':
            return writeAscii(from, to);
        case 'C':
            return writeTriplets(from, to, latchC40);
        case 'T':
            return writeTriplets(from, to, latchText);
        case 'X':
            return writeTriplets(from, to, latchX12);
        case 'E':
            return writeEdifact(from, to);
        default:
            return writeBase256(from, to);
        }
    }

    std::string refusal;

    std::vector<uint8_t> finish(int& used)
    {
        used = static_cast<int>(out.size());
        if (room() > 0)
            out.push_back(padCodeword);
        while (room() > 0) {
            const int position = static_cast<int>(out.size()) + 1;
            int pad = ((149 * position) % 253) + 130;
            if (pad > 254)
                pad -= 254;
            out.push_back(static_cast<uint8_t>(pad));
        }
        return std::move(out);
    }

private:
    int room() const { return capacity - static_cast<int>(out.size()); }
    uint8_t at(int p) const { return static_cast<uint8_t>(text[static_cast<size_t>(p)]); }

    bool put(int codeword)
    {
        if (room() <= 0)
            return false;
        out.push_back(static_cast<uint8_t>(codeword));
        return true;
    }

    bool writeAscii(int from, int to)
    {
        for (int p = from; p < to; ++p) {
            const uint8_t byte = at(p);
            if (isDataMatrixDigit(byte) && p + 1 < to && isDataMatrixDigit(at(p + 1))) {
                if (!put(130 + (byte - '0') * 10 + (at(p + 1) - '0')))
                    return false;
                ++p;
            } else if (byte < 128) {
                if (!put(byte + 1))
                    return false;
            } else if (!put(upperShift) || !put(byte - 127)) {
                return false;
            }
        }
        return true;
    }

    bool writeTriplets(int from, int to, uint8_t latch)
    {
        const bool x12 = latch == latchX12;
        const bool textSet = latch == latchText;
        std::vector<uint8_t> values;
        // Values written before each character, to cut the run back at a character boundary.
        std::vector<int> valuesBefore;
        valuesBefore.reserve(static_cast<size_t>(to - from + 1));
        for (int p = from; p < to; ++p) {
            valuesBefore.push_back(static_cast<int>(values.size()));
            if (x12) {
                const int value = x12Value(at(p));
                if (value < 0) {
                    refusal = formatMessage("Cannot encode char 0x%02X in X12", at(p));
                    return false;
                }
                values.push_back(static_cast<uint8_t>(value));
            } else {
                appendC40Values(values, at(p), textSet);
            }
        }
        valuesBefore.push_back(static_cast<int>(values.size()));

        // Characters from `kept` on go to ASCII. At the end of the data two C40 or Text values
        // are completed with a shift 1 pad; otherwise the run is cut back to a whole triple.
        int kept = to;
        if (values.size() % 3 == 2 && to == length && !x12) {
            values.push_back(0);
        } else {
            while (valuesBefore[static_cast<size_t>(kept - from)] % 3 != 0)
                --kept;
            values.resize(static_cast<size_t>(valuesBefore[static_cast<size_t>(kept - from)]));
        }
        if (values.empty())
            return writeAscii(from, to);

        if (!put(latch))
            return false;
        for (size_t i = 0; i < values.size(); i += 3) {
            const int packed = 1600 * values[i] + 40 * values[i + 1] + values[i + 2] + 1;
            if (!put(packed >> 8) || !put(packed & 0xFF))
                return false;
        }
        // With one codeword left the decoder returns to ASCII by itself.
        if (room() >= 2 && !put(unlatchTriplets))
            return false;
        return writeAscii(kept, to);
    }

    bool writeEdifact(int from, int to)
    {
        for (int p = from; p < to; ++p) {
            if (!isEdifactByte(at(p))) {
                refusal = formatMessage("Cannot encode 0x%02X in EDIFACT", at(p));
                return false;
            }
        }
        if (!put(latchEdifact))
            return false;
        int p = from;
        while (p < to) {
            // A decoder reads the last one or two codewords of a symbol as ASCII.
            if (room() <= 2)
                return writeAscii(p, to);
            const int group = std::min(4, to - p);
            uint32_t bits = 0;
            int bitCount = 0;
            for (int i = 0; i < group; ++i) {
                bits = (bits << 6) | (at(p + i) & 0x3F);
                bitCount += 6;
            }
            if (group < 4) {
                bits = (bits << 6) | edifactUnlatchValue;
                bitCount += 6;
            }
            const int bytes = (bitCount + 7) / 8;
            bits <<= bytes * 8 - bitCount;
            for (int i = bytes - 1; i >= 0; --i)
                if (!put((bits >> (8 * i)) & 0xFF))
                    return false;
            p += group;
            if (group < 4)
                return true;
        }
        if (room() >= 3)
            return put(edifactUnlatchValue << 2);
        return true;
    }

    bool writeBase256(int from, int to)
    {
        const int count = to - from;
        if (count > 250 * 6 + 249)
            return false; // longer than the length field can say; no symbol holds it anyway
        if (!put(latchBase256))
            return false;
        const int lengthCodewords = count < 250 ? 1 : 2;
        if (to == length && room() < lengthCodewords + count && room() == 1 + count) {
            // Length 0 says "to the end of the symbol": one codeword less, which the largest
            // sizes need to be filled with bytes alone.
            if (!putRandomised(0))
                return false;
        } else if (count < 250) {
            if (!putRandomised(count))
                return false;
        } else if (!putRandomised(count / 250 + 249) || !putRandomised(count % 250)) {
            return false;
        }
        for (int p = from; p < to; ++p)
            if (!putRandomised(at(p)))
                return false;
        return true;
    }

    bool putRandomised(int value)
    {
        const int position = static_cast<int>(out.size()) + 1;
        return put((value + ((149 * position) % 255) + 1) % 256);
    }

    int capacity;
    std::string_view text;
    int length;
    std::vector<uint8_t> out;
};

} // namespace

DataMatrixEncodeResult ecc200encode(int capacity, std::string_view source, std::string_view encoding)
{
    DataMatrixEncodeResult result;
    const int length = static_cast<int>(source.size());
    if (encoding.size() < source.size()) {
        result.message = "Encoding string too short";
        return result;
    }
    std::string letters(encoding.substr(0, source.size()));
    for (char& letter : letters) {
        if (letter >= 'a' && letter <= 'z')
            letter = static_cast<char>(letter - 'a' + 'A');
        if (letter != 'A' && encchr.find(letter) == std::string_view::npos) {
            result.message = formatMessage("Unknown encoding %c", static_cast<unsigned char>(letter));
            return result;
        }
    }

    CodewordWriter writer(capacity, source);
    int from = 0;
    while (from < length) {
        int to = from + 1;
        while (to < length && letters[static_cast<size_t>(to)] == letters[static_cast<size_t>(from)])
            ++to;
        if (!writer.encodeRun(letters[static_cast<size_t>(from)], from, to)) {
            if (!writer.refusal.empty()) {
                result.message = writer.refusal;
                return result;
            }
            result.status = DataMatrixEncodeResult::TooLong;
            return result;
        }
        from = to;
    }
    result.codewords = writer.finish(result.used);
    result.status = DataMatrixEncodeResult::Encoded;
    return result;
}

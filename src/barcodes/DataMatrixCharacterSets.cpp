#include "barcodes/DataMatrixCharacterSets.h"

namespace {

int basicValue(uint8_t byte)
{
    if (byte == ' ')
        return 3;
    if (isDataMatrixDigit(byte))
        return byte - '0' + 4;
    if (byte >= 'A' && byte <= 'Z')
        return byte - 'A' + 14;
    return byte - 'a' + 14;
}

// Position in the shift 2 set: ! to /, : to @, [ to _ (then FNC1 and upper shift).
int shift2Value(uint8_t byte)
{
    if (byte >= 33 && byte <= 47)
        return byte - 33;
    if (byte >= 58 && byte <= 64)
        return byte - 58 + 15;
    return byte - 91 + 22;
}

void appendLowValues(std::vector<uint8_t>& values, uint8_t byte, bool text)
{
    if (datamatrix_detail::isBasic(byte, text)) {
        values.push_back(static_cast<uint8_t>(basicValue(byte)));
    } else if (byte < 32) {
        values.push_back(0);
        values.push_back(byte);
    } else if (byte <= 47 || (byte >= 58 && byte <= 64) || (byte >= 91 && byte <= 95)) {
        values.push_back(1);
        values.push_back(static_cast<uint8_t>(shift2Value(byte)));
    } else {
        // Shift 3: ` { | } ~ DEL and the letters of the case that the basic set lacks.
        values.push_back(2);
        const bool upperLetter = byte >= 'A' && byte <= 'Z';
        values.push_back(static_cast<uint8_t>(upperLetter ? byte - 64 : byte - 96));
    }
}

} // namespace

void appendC40Values(std::vector<uint8_t>& values, uint8_t byte, bool text)
{
    if (byte >= 128) {
        values.push_back(1);  // shift 2
        values.push_back(30); // upper shift
        byte = static_cast<uint8_t>(byte - 128);
    }
    appendLowValues(values, byte, text);
}

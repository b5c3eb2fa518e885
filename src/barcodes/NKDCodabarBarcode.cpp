#include "barcodes/NKDCodabarBarcode.h"

#include <cstring>

namespace {

constexpr char characters[] = "0123456789-$:/.+ABCD";

// Widths of bar, space, bar, space, bar, space, bar (1 = wide), same order as above.
constexpr const char* elements[] = {
    "0000011",
    "0000110",
    "0001001",
    "1100000",
    "0010010",
    "1000010",
    "0100001",
    "0100100",
    "0110000",
    "1001000",
    "0001100",
    "0011000",
    "1000101",
    "1010001",
    "1010100",
    "0010101",
    "0011010",
    "0101001",
    "0001011",
    "0001110",
};

bool isStartStop(char c)
{
    return c >= 'A' && c <= 'D';
}

} // namespace

std::string NKDCodabarBarcode::_encodeChar(char c) const
{
    if (c == '\0')
        return {};
    const char* found = std::strchr(characters, c);
    if (!found)
        return {};
    const char* widths = elements[found - characters];
    std::string modules;
    for (int element = 0; element < 7; ++element)
        modules.append(widths[element] == '1' ? 2 : 1, element % 2 == 0 ? '1' : '0');
    return modules;
}

QByteArray NKDCodabarBarcode::symbolText() const
{
    QByteArray bytes;
    if (!asciiContent(bytes))
        return {};
    if (bytes.size() >= 2 && isStartStop(bytes.front()) && isStartStop(bytes.back()))
        return bytes;
    return 'A' + bytes + 'A';
}

bool NKDCodabarBarcode::isContentValid() const
{
    QByteArray bytes;
    if (!asciiContent(bytes))
        return false;
    const QByteArray text = symbolText();
    // Start and stop letters alone carry no value.
    if (text.size() <= 2 || text.size() > maximumCharacters)
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool inside = i > 0 && i + 1 < text.size();
        if (_encodeChar(text[i]).empty() || (inside && isStartStop(text[i])))
            return false;
    }
    return true;
}

std::string NKDCodabarBarcode::barcode() const
{
    const QByteArray text = symbolText();
    std::string modules;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i > 0)
            modules += '0'; // without the gap neighbouring bars fuse
        modules += _encodeChar(text[i]);
    }
    return modules;
}

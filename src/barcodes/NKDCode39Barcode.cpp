#include "barcodes/NKDCode39Barcode.h"

#include <array>
#include <cstring>

namespace {

// Characters in the order of their check values, then the frame character.
constexpr char characters[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";

// Bar and space widths of each character (bar, space, ... bar; 1 = wide), same order.
constexpr std::array<const char*, 44> elements = {
    "000110100",
    "100100001",
    "001100001",
    "101100000",
    "000110001",
    "100110000",
    "001110000",
    "000100101",
    "100100100",
    "001100100",
    "100001001",
    "001001001",
    "101001000",
    "000011001",
    "100011000",
    "001011000",
    "000001101",
    "100001100",
    "001001100",
    "000011100",
    "100000011",
    "001000011",
    "101000010",
    "000010011",
    "100010010",
    "001010010",
    "000000111",
    "100000110",
    "001000110",
    "000010110",
    "110000001",
    "011000001",
    "111000000",
    "010010001",
    "110010000",
    "011010000",
    "010000101",
    "110000100",
    "011000100",
    "010101000",
    "010100010",
    "010001010",
    "000101010",
    "010010100",
};

constexpr int checkModulus = 43;

int indexOf(char c)
{
    if (c == '\0')
        return -1;
    const char* found = std::strchr(characters, c);
    return found ? int(found - characters) : -1;
}

} // namespace

std::string NKDCode39Barcode::code39Pattern(char c)
{
    const int index = indexOf(c);
    if (index < 0)
        return {};
    std::string modules;
    modules.reserve(13);
    const char* widths = elements[size_t(index)];
    for (int element = 0; element < 9; ++element) {
        const char module = element % 2 == 0 ? '1' : '0';
        modules.append(widths[element] == '1' ? 2 : 1, module);
    }
    modules += '0'; // gap between characters
    return modules;
}

void NKDCode39Barcode::initWithContent(const QString& content, bool printsCaption)
{
    NKDBarcode::initWithContent(content.toUpper(), printsCaption);
}

std::string NKDCode39Barcode::_encodeChar(char c) const
{
    return code39Pattern(c);
}

std::string NKDCode39Barcode::initiator() const
{
    return code39Pattern('*');
}

std::string NKDCode39Barcode::terminator() const
{
    return code39Pattern('*');
}

bool NKDCode39Barcode::isContentValid() const
{
    // "*" inside the data would read as the end of the symbol.
    const QString text = content();
    return !text.isEmpty() && text.size() <= maximumCharacters && !text.contains(QLatin1Char('*'))
        && NKDBarcode::isContentValid();
}

void NKDCode39Barcode::generateChecksum()
{
    QByteArray bytes;
    if (!asciiContent(bytes))
        return;
    int sum = 0;
    for (const char c : bytes) {
        const int value = indexOf(c);
        if (value >= 0 && value < checkModulus)
            sum += value;
    }
    setCheckDigit(characters[sum % checkModulus]);
    calculateWidth();
}

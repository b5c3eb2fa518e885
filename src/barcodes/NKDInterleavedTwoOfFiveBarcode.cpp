#include "barcodes/NKDInterleavedTwoOfFiveBarcode.h"

#include <algorithm>

namespace {

// Wide elements (1) of the digits' five-element patterns.
constexpr const char* patterns[10] = {
    "00110",
    "10001",
    "01001",
    "11000",
    "00101",
    "10100",
    "01100",
    "00011",
    "10010",
    "01010",
};

} // namespace

bool NKDInterleavedTwoOfFiveBarcode::_getBarForDigit(char digit, int element)
{
    if (digit < '0' || digit > '9' || element < 0 || element > 4)
        return true;
    return patterns[digit - '0'][element] == '0';
}

bool NKDInterleavedTwoOfFiveBarcode::isContentValid() const
{
    QByteArray bytes;
    if (!asciiContent(bytes) || bytes.isEmpty() || bytes.size() > maximumDigits)
        return false;
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= '0' && c <= '9'; });
}

QByteArray NKDInterleavedTwoOfFiveBarcode::digitsToDraw() const
{
    QByteArray bytes;
    if (!asciiContent(bytes))
        return {};
    if (checkDigit() != -1)
        bytes.append(char(checkDigit()));
    return bytes;
}

std::string NKDInterleavedTwoOfFiveBarcode::barcode() const
{
    QByteArray text = digitsToDraw();
    if (text.size() % 2 != 0)
        text.prepend('0');
    std::string modules;
    modules.reserve(size_t(text.size()) * 9);
    for (qsizetype i = 0; i + 1 < text.size(); i += 2) {
        for (int element = 0; element < 5; ++element) {
            modules += _getBarForDigit(text[i], element) ? "1" : "111";
            modules += _getBarForDigit(text[i + 1], element) ? "0" : "000";
        }
    }
    return modules;
}

void NKDInterleavedTwoOfFiveBarcode::generateChecksum()
{
    QByteArray bytes;
    if (!asciiContent(bytes))
        return;
    if (bytes.size() % 2 != 0)
        bytes.prepend('0');
    int sum = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const int digit = bytes[i] >= '0' && bytes[i] <= '9' ? bytes[i] - '0' : 0;
        sum += i % 2 == 0 ? 3 * digit : digit;
    }
    setCheckDigit('0' + (10 - sum % 10) % 10);
}

#include "barcodes/NKDPostnetBarcode.h"

#include <algorithm>

namespace {

constexpr float postnetBarWidth = 1.08f;
constexpr float postnetHeight = 9.0f;
constexpr float frameBarPoints = 9.0f;
constexpr float fullBarInches = 0.125f;
constexpr float halfBarInches = 0.05f;

// The two full bars (1 to 5) of each digit.
constexpr int fullBars[10][2] = {
    { 1, 2 },
    { 4, 5 },
    { 3, 5 },
    { 3, 4 },
    { 2, 5 },
    { 2, 4 },
    { 2, 3 },
    { 1, 5 },
    { 1, 4 },
    { 1, 3 },
};

} // namespace

void NKDPostnetBarcode::initWithContent(const QString& content, bool printsCaption)
{
    setContent(content);
    setBarWidth(postnetBarWidth);
    setPrintsCaption(printsCaption);
    generateChecksum();
    setHeight(postnetHeight);
    calculateWidth();
}

bool NKDPostnetBarcode::isContentValid() const
{
    QByteArray bytes;
    if (!asciiContent(bytes))
        return false;
    if (std::find(digitCounts.begin(), digitCounts.end(), bytes.size()) == digitCounts.end())
        return false;
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void NKDPostnetBarcode::generateChecksum()
{
    QByteArray bytes;
    if (!asciiContent(bytes))
        return;
    int sum = 0;
    for (const char c : bytes) {
        if (c >= '0' && c <= '9')
            sum += c - '0';
    }
    setCheckDigit('0' + (10 - sum % 10) % 10);
}

std::string NKDPostnetBarcode::_encodeChar(char) const
{
    return "100100100100100";
}

bool NKDPostnetBarcode::isFullBar(char digit, int bar)
{
    const int* full = fullBars[digit - '0'];
    return bar == full[0] || bar == full[1];
}

float NKDPostnetBarcode::_heightForDigit(int index, int bar) const
{
    const QString text = content();
    const char digit = index < text.size() ? char(text.at(index).unicode()) : char(checkDigit());
    if (digit < '0' || digit > '9')
        return 0;
    return isFullBar(digit, bar) ? fullBarInches : halfBarInches;
}

float NKDPostnetBarcode::barTop(int module, const BarcodeSettings&) const
{
    const int last = int(completeBarcode().size()) - 1;
    if (module <= 0 || module >= last)
        return frameBarPoints;
    const int digit = (module - 3) / 15;
    const int bar = (module - 3 - 15 * digit) / 3 + 1;
    return _heightForDigit(digit, bar) * 72.0f;
}

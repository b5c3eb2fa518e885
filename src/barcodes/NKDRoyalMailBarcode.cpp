#include "barcodes/NKDRoyalMailBarcode.h"

namespace {

constexpr float royalMailBarWidth = 1.4173229f; // 0.5 mm
constexpr float royalMailHeight = 14.3149605f; // 5.05 mm
constexpr float ascenderTopMm = 5.05f;
constexpr float otherTopMm = 3.15f;
constexpr float otherBottomMm = 1.9f;
constexpr float pointsPerMm = 72.0f / 25.4f;

// Which two of the four bars rise (or descend) for the values 1 to 6, first bar highest.
constexpr int pairPatterns[6] = { 0b0011, 0b0101, 0b0110, 0b1001, 0b1010, 0b1100 };

// Row (top value - 1) and column (bottom value - 1) of a character in the 6 x 6 grid.
int gridIndex(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return -1;
}

char characterAt(int index)
{
    return index < 10 ? char('0' + index) : char('A' + index - 10);
}

} // namespace

void NKDRoyalMailBarcode::initWithContent(const QString& content, bool)
{
    setContent(content);
    setBarWidth(royalMailBarWidth);
    setPrintsCaption(false);
    generateChecksum();
    setHeight(royalMailHeight);
    calculateWidth();
}

void NKDRoyalMailBarcode::setContent(const QString& content)
{
    NKDBarcode::setContent(content.toUpper());
}

bool NKDRoyalMailBarcode::isContentValid() const
{
    QByteArray bytes;
    if (!asciiContent(bytes) || bytes.isEmpty() || bytes.size() > maximumCharacters)
        return false;
    for (const char c : bytes) {
        if (gridIndex(c) < 0)
            return false;
    }
    return true;
}

std::string NKDRoyalMailBarcode::_encodeChar(char) const
{
    return "10101010";
}

int NKDRoyalMailBarcode::characterDescriptor(char c)
{
    const int index = gridIndex(c);
    if (index < 0)
        return 0;
    const int ascenders = pairPatterns[index / 6];
    const int descenders = pairPatterns[index % 6];
    int descriptor = 0;
    for (int bar = 0; bar < 4; ++bar) {
        const int bit = 3 - bar;
        const int state = (((ascenders >> bit) & 1) << 1) | ((descenders >> bit) & 1);
        descriptor |= state << (4 * (3 - bar));
    }
    return descriptor;
}

int NKDRoyalMailBarcode::_barDescriptor(int module) const
{
    const int length = int(content().size());
    if (module <= 0)
        return 2;
    if (module >= 8 * (length + 1) + 2)
        return 3;
    const int character = (module - 2) / 8;
    const int bar = ((module - 2) % 8) / 2;
    const char c = character < length ? char(content().at(character).unicode()) : char(checkDigit());
    return (characterDescriptor(c) >> (4 * (3 - bar))) & 0xF;
}

float NKDRoyalMailBarcode::barTop(int module, const BarcodeSettings&) const
{
    return (_barDescriptor(module) & 2 ? ascenderTopMm : otherTopMm) * pointsPerMm;
}

float NKDRoyalMailBarcode::barBottom(int module, const BarcodeSettings&) const
{
    return _barDescriptor(module) & 1 ? 0.0f : otherBottomMm * pointsPerMm;
}

void NKDRoyalMailBarcode::generateChecksum()
{
    QByteArray bytes;
    if (!asciiContent(bytes))
        return;
    int topSum = 0;
    int bottomSum = 0;
    for (const char c : bytes) {
        const int index = gridIndex(c);
        if (index < 0)
            continue;
        topSum += index / 6 + 1;
        bottomSum += index % 6 + 1;
    }
    const int row = topSum % 6 == 0 ? 5 : topSum % 6 - 1;
    const int column = bottomSum % 6 == 0 ? 5 : bottomSum % 6 - 1;
    setCheckDigit(characterAt(6 * row + column));
}

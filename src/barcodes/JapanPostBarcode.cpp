#include "barcodes/JapanPostBarcode.h"

#include <QDataStream>

#include <algorithm>
#include <cstring>

namespace {

constexpr float minimumSize = 8.5f;
constexpr float maximumSize = 11.5f;
constexpr float minimumBarWidth = 1.3333334f;
constexpr float maximumBarWidth = 1.9166666f;
constexpr float millimetresPerPoint = 0.3527777777777777f;

constexpr char characters[] = "0123456789-:;<=>?./";
// Bars of each character, in the order above.
constexpr int bars[19][3] = {
    { 3, 0, 0 },
    { 3, 3, 0 },
    { 3, 1, 2 },
    { 1, 3, 2 },
    { 3, 2, 1 },
    { 3, 0, 3 },
    { 1, 2, 3 },
    { 2, 3, 1 },
    { 2, 1, 3 },
    { 0, 3, 3 },
    { 0, 3, 0 },
    { 1, 2, 0 },
    { 1, 0, 2 },
    { 2, 1, 0 },
    { 0, 1, 2 },
    { 2, 0, 1 },
    { 0, 2, 1 },
    { 0, 0, 3 },
    { 3, 3, 3 },
};
constexpr int startBars[2] = { 3, 1 };
constexpr int stopBars[2] = { 1, 3 };

// Top and bottom in millimetres at size 10 of each bar kind.
constexpr float topMm[4] = { 2.4f, 2.4f, 3.6f, 3.6f };
constexpr float bottomMm[4] = { 1.2f, 0.0f, 1.2f, 0.0f };

int checkValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    switch (c) {
    case '-':
        return 10;
    case ':':
        return 11;
    case ';':
        return 12;
    case '<':
        return 13;
    case '=':
        return 14;
    default:
        return 0;
    }
}

} // namespace

void JapanPostBarcode::initWithContent(const QString& content, bool, float, float height, float, int)
{
    setContent(content);
    setSymbolHeight(height >= 8.0f && height <= maximumSize ? height : 10.0f);
    setHeight(symbolHeight_);
}

void JapanPostBarcode::setContent(const QString& content)
{
    QString printable;
    QString symbol;
    for (const QChar c : content.toUpper()) {
        const char16_t code = c.unicode();
        if ((code >= '0' && code <= '9') || code == '-') {
            printable += c;
            symbol += c;
        } else if (code >= 'A' && code <= 'Z') {
            printable += c;
            if (code <= 'J')
                symbol += QLatin1Char(':') + QChar(char16_t('0' + code - 'A'));
            else if (code <= 'T')
                symbol += QLatin1Char(';') + QChar(char16_t('0' + code - 'K'));
            else
                symbol += QLatin1Char('<') + QChar(char16_t('0' + code - 'U'));
        }
    }
    if (symbol.size() > symbolCharacters) {
        symbol.truncate(symbolCharacters);
        // Keep as many printable characters as the cut symbol text holds digits and hyphens.
        const auto kept
            = std::count_if(symbol.begin(), symbol.end(), [](QChar c) { return c.isDigit() || c == QLatin1Char('-'); });
        printable.truncate(kept);
    }
    symbol = symbol.leftJustified(symbolCharacters, QLatin1Char('='));
    japanpostContents_ = symbol;
    NKDBarcode::setContent(printable);
    generateChecksum();
}

void JapanPostBarcode::setSymbolHeight(float size)
{
    symbolHeight_ = std::clamp(size, minimumSize, maximumSize);
    NKDBarcode::setBarWidth(symbolHeight_ / 6);
    calculateWidth();
}

void JapanPostBarcode::setBarWidth(float barWidth)
{
    const float clamped = std::clamp(barWidth, minimumBarWidth, maximumBarWidth);
    NKDBarcode::setBarWidth(clamped);
    symbolHeight_ = 6 * clamped;
    calculateWidth();
}

void JapanPostBarcode::encodeKindFields(QDataStream& out) const
{
    out << symbolHeight_ << japanpostContents_;
}

std::function<void()> JapanPostBarcode::decodeKindFields(QDataStream& in)
{
    float size = 0;
    QString symbol;
    in >> size >> symbol;
    if (in.status() != QDataStream::Ok || !(size >= minimumSize && size <= maximumSize)
        || symbol.size() != symbolCharacters)
        return {};
    for (const QChar c : symbol) {
        if (c.unicode() == 0 || c.unicode() > 127 || !std::strchr(characters, char(c.unicode())))
            return {};
    }
    return [this, size, symbol] {
        symbolHeight_ = size;
        japanpostContents_ = symbol;
    };
}

bool JapanPostBarcode::isContentValid() const
{
    const QString text = content();
    if (text.size() < postalCodeDigits)
        return false;
    return std::all_of(text.begin(), text.begin() + postalCodeDigits, [](QChar c) { return c >= u'0' && c <= u'9'; });
}

std::string JapanPostBarcode::_encodeChar(char) const
{
    return "101010";
}

std::string JapanPostBarcode::barcode() const
{
    std::string modules;
    for (int i = 0; i <= symbolCharacters; ++i)
        modules += "101010";
    return modules;
}

void JapanPostBarcode::generateChecksum()
{
    int sum = 0;
    for (const QChar c : japanpostContents_)
        sum += checkValue(char(c.unicode()));
    const int check = 19 - sum % 19;
    static constexpr char checkCharacters[] = "0123456789-:;<=>?./";
    setCheckDigit(check == 19 ? '0' : checkCharacters[check]);
}

int JapanPostBarcode::_barDescriptor(int module) const
{
    if (module < 4)
        return startBars[std::max(module, 0) / 2];
    if (module >= 4 + 6 * (symbolCharacters + 1))
        return stopBars[std::min((module - 4 - 6 * (symbolCharacters + 1)) / 2, 1)];
    const int index = (module - 4) / 6;
    const int bar = ((module - 4) % 6) / 2;
    const char c = index < symbolCharacters ? char(japanpostContents_.at(index).unicode()) : char(checkDigit());
    const char* found = c == '\0' ? nullptr : std::strchr(characters, c);
    if (!found)
        return 0;
    return bars[found - characters][bar];
}

float JapanPostBarcode::barTop(int module, const BarcodeSettings&) const
{
    return topMm[_barDescriptor(module)] * symbolHeight_ / 10.0f / millimetresPerPoint;
}

float JapanPostBarcode::barBottom(int module, const BarcodeSettings&) const
{
    return bottomMm[_barDescriptor(module)] * symbolHeight_ / 10.0f / millimetresPerPoint;
}

#include "data/CellText.h"

#include <string_view>

namespace {

constexpr qsizetype escapeLength = 7; // "_xHHHH_"

int hexValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// The UTF-16 unit of an escape starting at position, or -1 when there is none.
int escapeAt(const QString& text, qsizetype position)
{
    if (position + escapeLength > text.size() || text[position] != u'_' || text[position + 1] != u'x'
        || text[position + 6] != u'_')
        return -1;
    int unit = 0;
    for (qsizetype i = position + 2; i < position + 6; ++i) {
        const int digit = hexValue(text[i].unicode());
        if (digit < 0)
            return -1;
        unit = unit * 16 + digit;
    }
    return unit;
}

} // namespace

QString decodeCellText(const QString& text)
{
    if (!text.contains(QStringLiteral("_x")))
        return text;
    QString decoded;
    decoded.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const int unit = escapeAt(text, i);
        if (unit < 0) {
            decoded.append(text[i++]);
            continue;
        }
        decoded.append(QChar(char16_t(unit)));
        i += escapeLength;
    }
    return decoded;
}

QString cellTextFromUtf8(const char* utf8, qsizetype size)
{
    const QString text = QString::fromUtf8(utf8, size);
    return std::string_view(utf8, size_t(size)).find("_x") == std::string_view::npos ? text : decodeCellText(text);
}

QString encodeCellText(const QString& text)
{
    if (!text.contains(QStringLiteral("_x")))
        return text;
    QString encoded;
    encoded.reserve(text.size() + 6);
    for (qsizetype i = 0; i < text.size(); ++i) {
        // Only an underscore that starts an escape needs one itself.
        if (escapeAt(text, i) >= 0)
            encoded.append(QStringLiteral("_x005F"));
        encoded.append(text[i]);
    }
    return encoded;
}

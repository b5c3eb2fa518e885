#pragma once

// Writing a cell's shown text into the buffer the formatter reuses from cell to cell.

#include <QString>

#include <string>

namespace cellformat {

inline void appendLatin1(std::u16string& text, const char* latin1, size_t size)
{
    for (size_t i = 0; i < size; ++i)
        text += char16_t(static_cast<unsigned char>(latin1[i]));
}

inline void appendText(std::u16string& text, QStringView part)
{
    text.append(reinterpret_cast<const char16_t*>(part.data()), size_t(part.size()));
}

// A number that is never negative, with zeros in front up to width digits.
inline void appendPadded(std::u16string& text, qint64 number, int width)
{
    char16_t digits[20];
    int count = 0;
    do {
        digits[count++] = char16_t(u'0' + number % 10);
        number /= 10;
    } while (number > 0);
    if (width > count)
        text.append(size_t(width - count), u'0');
    while (count > 0)
        text += digits[--count];
}

inline QString shownText(const std::u16string& text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

} // namespace cellformat

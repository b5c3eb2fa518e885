#include "data/CellFormat.h"

#include "data/CellText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

using Part = CellFormat::Part;
using Token = CellFormat::Token;

// Significant digits a workbook keeps of a number.
constexpr int significantDigits = 15;

std::string_view trimmed(std::string_view text)
{
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && space(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Whether stored decimal text already reads as General shows it: no sign on zero, no leading
// or trailing zeros, no exponent, at most 15 significant digits and no magnitude General would
// write with an exponent. Most numeric cells are such, and skip the conversion.
bool isGeneralText(std::string_view text)
{
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() || (whole.size() > 1 && whole.front() == '0') || whole.size() > size_t(significantDigits))
        return false;
    for (const char c : whole) {
        if (!isDigit(c))
            return false;
    }
    if (point == std::string_view::npos)
        return !(negative && whole == "0");
    if (fraction.empty() || fraction.back() == '0')
        return false;
    for (const char c : fraction) {
        if (!isDigit(c))
            return false;
    }
    if (whole != "0")
        return whole.size() + fraction.size() <= size_t(significantDigits);
    const size_t leadingZeros = fraction.find_first_not_of('0');
    // From 0.0001 down General writes an exponent.
    return leadingZeros <= 3 && fraction.size() - leadingZeros <= size_t(significantDigits);
}

// value rounded to 15 significant digits, as decimal digits and the position of the point
// (the count of digits before it; zero or less for a value below 1).
void roundedDigits(double value, std::string& digits, int& pointPosition)
{
    char buffer[32];
    const auto result
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, significantDigits - 1);
    const std::string_view text(buffer, size_t(result.ptr - buffer));
    const size_t exponent = text.find('e');
    digits.clear();
    for (const char c : text.substr(0, exponent)) {
        if (isDigit(c))
            digits += c;
    }
    int power = 0;
    const std::string_view powerText = text.substr(exponent + 1);
    std::from_chars(powerText.data() + (powerText.front() == '+' ? 1 : 0), powerText.data() + powerText.size(), power);
    pointPosition = power + 1;
}

// The digits of value with exactly `decimals` digits after the point, rounded half away from
// zero on the 15-digit decimal value (so 2.675 gives 2.68 as in the workbook, not 2.67).
void fixedDigits(double value, int decimals, std::string& whole, std::string& fraction)
{
    std::string digits;
    int pointPosition = 0;
    if (value == 0) {
        digits = "0";
        pointPosition = 1;
    } else {
        roundedDigits(value, digits, pointPosition);
    }
    const int keep = pointPosition + decimals;
    if (keep < 0) {
        digits.clear();
    } else if (keep < int(digits.size())) {
        const bool up = digits[size_t(keep)] >= '5';
        digits.resize(size_t(keep));
        if (up) {
            int i = keep - 1;
            for (; i >= 0 && digits[size_t(i)] == '9'; --i)
                digits[size_t(i)] = '0';
            if (i >= 0) {
                ++digits[size_t(i)];
            } else {
                digits.insert(digits.begin(), '1');
                ++pointPosition;
            }
        }
    }
    // Zeros up to the point on the left and to the last decimal on the right.
    if (pointPosition < 0) {
        digits.insert(0, size_t(-pointPosition), '0');
        pointPosition = 0;
    }
    if (int(digits.size()) < pointPosition + decimals)
        digits.append(size_t(pointPosition + decimals) - digits.size(), '0');
    whole = digits.substr(0, size_t(pointPosition));
    fraction = digits.substr(size_t(pointPosition), size_t(decimals));
    const size_t firstNonZero = whole.find_first_not_of('0');
    whole.erase(0, firstNonZero == std::string::npos ? whole.size() : firstNonZero);
}

// The text of each integer placeholder, in order: filled from the right, the leftmost one
// taking every digit left over, with thousands separators counted over all of them.
std::vector<QString> integerTexts(const std::vector<Token>& tokens, const std::string& whole, bool grouping)
{
    std::vector<const Token*> placeholders;
    for (const Token& token : tokens) {
        if (token.part == Part::Digit && !token.fraction)
            placeholders.push_back(&token);
    }
    std::vector<QString> texts(placeholders.size());
    auto digit = whole.rbegin();
    int emitted = 0;
    for (size_t k = placeholders.size(); k-- > 0;) {
        QString reversed;
        const auto put = [&](char c) {
            if (grouping && emitted > 0 && emitted % 3 == 0)
                reversed += u',';
            reversed += QChar(u'0' + (c - '0'));
            ++emitted;
        };
        if (digit != whole.rend())
            put(*digit++);
        else if (placeholders[k]->text == u"0")
            put('0');
        else if (placeholders[k]->text == u"?")
            reversed += u' ';
        if (k == 0) {
            while (digit != whole.rend())
                put(*digit++);
        }
        std::reverse(reversed.begin(), reversed.end());
        texts[k] = reversed;
    }
    return texts;
}

} // namespace

bool parseCellNumber(std::string_view stored, double& value)
{
    const std::string_view text = trimmed(stored);
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    const auto [end, status] = std::from_chars(first, last, value);
    return status == std::errc() && end == last && std::isfinite(value);
}

QString generalNumberText(double value)
{
    if (value == 0 || !std::isfinite(value))
        return value == 0 ? QStringLiteral("0") : QString::number(value);
    char buffer[32];
    const auto result
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, significantDigits);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    const qsizetype exponent = text.indexOf(u'e');
    if (exponent >= 0)
        text[exponent] = u'E';
    return text;
}

QString generalCellText(std::string_view stored)
{
    if (isGeneralText(stored))
        return QString::fromLatin1(stored.data(), qsizetype(stored.size()));
    double value = 0;
    if (parseCellNumber(stored, value))
        return generalNumberText(value);
    return cellTextFromUtf8(stored.data(), qsizetype(stored.size()));
}

QString CellFormat::formatNumber(double value) const
{
    const Section* section = &sections_.front();
    bool minus = value < 0;
    if (value < 0 && sections_.size() > 1) {
        // The negative section carries its own sign or brackets.
        section = &sections_[1];
        minus = false;
    } else if (value == 0 && sections_.size() > 2) {
        section = &sections_[2];
    }
    const double magnitude = std::fabs(value) * std::pow(100.0, section->percent) / std::pow(1000.0, section->scale);
    if (!std::isfinite(magnitude))
        return generalNumberText(value);
    std::string whole;
    std::string fraction;
    fixedDigits(magnitude, section->fractionDigits, whole, fraction);
    // Optional decimals at the end drop their zeros: "0.##" shows 1.5 as "1.5".
    size_t lastShown = fraction.size();
    {
        size_t index = 0;
        for (const Token& token : section->tokens) {
            if (token.part == Part::Digit && token.fraction) {
                if (token.text == u"0" || fraction[index] != '0')
                    lastShown = index;
                ++index;
            }
        }
        lastShown = lastShown == fraction.size() ? 0 : lastShown + 1;
    }
    bool anyDigit = false;
    for (const Token& token : section->tokens)
        anyDigit = anyDigit || token.part == Part::Digit;
    const std::vector<QString> integers = integerTexts(section->tokens, whole, section->grouping);

    QString text;
    size_t integerIndex = 0;
    size_t fractionIndex = 0;
    for (const Token& token : section->tokens) {
        if (token.part == Part::Digit && !token.fraction) {
            text += integers[integerIndex++];
        } else if (token.part == Part::Digit) {
            if (fractionIndex < lastShown)
                text += QChar(u'0' + (fraction[fractionIndex] - '0'));
            else if (token.text == u"?")
                text += u' ';
            ++fractionIndex;
        } else if (token.part == Part::General) {
            // General beside digit placeholders would show the number twice.
            if (!anyDigit)
                text += generalNumberText(magnitude);
        } else {
            text += token.text;
        }
    }
    return minus ? u'-' + text : text;
}

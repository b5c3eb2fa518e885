#include "data/CellFormat.h"

#include "data/CellFormatText.h"
#include "data/CellText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

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

// A magnitude rounded for a fixed count of decimals, as up to 16 significant digits and the
// position of the point: the value is 0.<digits> times ten to the power of point. Rounding is
// half away from zero on the 15-digit decimal value (so 2.675 gives 2.68 as in the workbook,
// not 2.67).
struct FixedDigits
{
    char digits[24];
    int count = 0;
    int point = 0;
    bool zero = false; // no integer digits to show at all

    FixedDigits(double magnitude, int decimals)
    {
        if (magnitude == 0) {
            zero = true;
            digits[count++] = '0';
            point = 1;
            return;
        }
        // Whole numbers of up to 15 digits are their own digits.
        if (magnitude < 1e15 && magnitude == std::floor(magnitude)) {
            char reversed[16];
            for (auto whole = quint64(magnitude); whole > 0; whole /= 10)
                reversed[count++] = char('0' + whole % 10);
            std::reverse_copy(reversed, reversed + count, digits);
            point = count;
            return;
        }
        // The shortest digits that read back as the value are much quicker to find. Up to 15 of
        // them are the 15-digit rounding itself (a 15-digit step is wider than the value's
        // uncertainty); 16 or 17 round to it unless they end exactly half way. Those few, and
        // values too small to be held to full precision, are rounded from the exact value.
        read(magnitude, magnitude >= std::numeric_limits<double>::min());
        if (count > significantDigits) {
            const std::string_view tail(digits + significantDigits, size_t(count - significantDigits));
            if (tail == "5" || tail == "50")
                read(magnitude, false);
            else
                round(significantDigits);
        }
        round(point + decimals);
    }

    // The whole number's digits, leading zeros left out.
    int wholeCount() const { return zero ? 0 : std::max(point, 0); }
    char whole(int index) const { return index < count ? digits[index] : '0'; }
    char fraction(int index) const
    {
        const int at = point + index;
        return at >= 0 && at < count ? digits[at] : '0';
    }

private:
    // The value's digits in scientific notation: the shortest that read back as it, or rounded
    // to 15 significant digits.
    void read(double magnitude, bool shortest)
    {
        char buffer[40];
        char* const last = buffer + sizeof buffer;
        const auto result = shortest
            ? std::to_chars(buffer, last, magnitude, std::chars_format::scientific)
            : std::to_chars(buffer, last, magnitude, std::chars_format::scientific, significantDigits - 1);
        const std::string_view text(buffer, size_t(result.ptr - buffer));
        const size_t exponent = text.find('e');
        count = 0;
        for (const char c : text.substr(0, exponent)) {
            if (isDigit(c))
                digits[count++] = c;
        }
        int power = 0;
        const std::string_view powerText = text.substr(exponent + 1);
        std::from_chars(
            powerText.data() + (powerText.front() == '+' ? 1 : 0), powerText.data() + powerText.size(), power);
        point = power + 1;
    }

    void round(int keep)
    {
        if (keep < 0) {
            count = 0;
            return;
        }
        if (keep >= count)
            return;
        const bool up = digits[keep] >= '5';
        count = keep;
        if (!up)
            return;
        int i = keep - 1;
        for (; i >= 0 && digits[i] == '9'; --i)
            digits[i] = '0';
        if (i >= 0) {
            ++digits[i];
            return;
        }
        std::memmove(digits + 1, digits, size_t(count));
        digits[0] = '1';
        ++count;
        ++point;
    }
};

// The integer placeholders of a section, written from left to right: filled from the right,
// the leftmost one taking every digit left over, thousands separators counted over every digit
// shown (a '0' filling beyond the number's digits counts too).
class IntegerWriter
{
public:
    IntegerWriter(const CellFormat::Section& section, const FixedDigits& number, std::u16string& text)
        : number_(number)
        , text_(text)
        , grouping_(section.grouping)
        , wholeCount_(number.wholeCount())
        , remaining_(section.integerDigits)
    {
        // The zeros that fill places beyond the number's digits, to know how many digits lie right of each.
        int place = section.integerDigits;
        for (const Token& token : section.tokens) {
            if (token.part != Part::Digit || token.fraction)
                continue;
            for (int k = 0; k < token.width; ++k) {
                --place;
                if (place >= wholeCount_ && token.placeholder == u'0')
                    ++fillZeros_;
            }
        }
    }

    void write(const Token& token)
    {
        for (int k = 0; k < token.width; ++k)
            place(token.placeholder);
    }

private:
    void place(char16_t placeholder)
    {
        const int fromRight = --remaining_;
        if (first_) {
            first_ = false;
            // The leftmost placeholder also shows the digits no placeholder has room for.
            for (int index = 0; index < wholeCount_ - fromRight - 1; ++index)
                put(number_.whole(index), wholeCount_ - 1 - index);
        }
        if (fromRight < wholeCount_) {
            const int index = wholeCount_ - 1 - fromRight;
            put(number_.whole(index), fromRight);
        } else if (placeholder == u'0') {
            --fillZeros_;
            put('0', wholeCount_ + fillZeros_);
        } else if (placeholder == u'?') {
            text_ += u' ';
        }
    }

    // A digit with `right` digits shown to its right.
    void put(char digit, int right)
    {
        text_ += char16_t(digit);
        if (grouping_ && right > 0 && right % 3 == 0)
            text_ += u',';
    }

    const FixedDigits& number_;
    std::u16string& text_;
    bool grouping_;
    int wholeCount_;
    int remaining_; // placeholders not yet written
    int fillZeros_ = 0; // '0' placeholders right of here that fill beyond the digits
    bool first_ = true;
};

// The characters General shows for a finite non-zero value; their count.
int generalCharacters(double value, char (&buffer)[32])
{
    const auto result
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, significantDigits);
    std::replace(buffer, result.ptr, 'e', 'E');
    return int(result.ptr - buffer);
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

void appendGeneralNumber(double value, std::u16string& text)
{
    if (value == 0 || !std::isfinite(value)) {
        cellformat::appendText(text, generalNumberText(value));
        return;
    }
    char buffer[32];
    cellformat::appendLatin1(text, buffer, size_t(generalCharacters(value, buffer)));
}

QString generalNumberText(double value)
{
    if (value == 0 || !std::isfinite(value))
        return value == 0 ? QStringLiteral("0") : QString::number(value);
    char buffer[32];
    return QString::fromLatin1(buffer, generalCharacters(value, buffer));
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

void CellFormat::formatNumber(double value, std::u16string& text) const
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
    double magnitude = std::fabs(value);
    if (section->percent != 0 || section->scale != 0)
        magnitude = magnitude * std::pow(100.0, section->percent) / std::pow(1000.0, section->scale);
    if (!std::isfinite(magnitude)) {
        appendGeneralNumber(value, text);
        return;
    }
    const FixedDigits number(magnitude, section->fractionDigits);
    // Optional decimals at the end drop their zeros: "0.##" shows 1.5 as "1.5".
    int shownDecimals = 0;
    {
        int index = 0;
        for (const Token& token : section->tokens) {
            if (token.part != Part::Digit || !token.fraction)
                continue;
            for (int k = 0; k < token.width; ++k, ++index) {
                if (token.placeholder == u'0' || number.fraction(index) != '0')
                    shownDecimals = index + 1;
            }
        }
    }
    const bool anyDigit = section->integerDigits + section->fractionDigits > 0;
    if (minus)
        text += u'-';
    IntegerWriter integers(*section, number, text);
    int fractionIndex = 0;
    for (const Token& token : section->tokens) {
        if (token.part == Part::Digit && !token.fraction) {
            integers.write(token);
        } else if (token.part == Part::Digit) {
            for (int k = 0; k < token.width; ++k, ++fractionIndex) {
                if (fractionIndex < shownDecimals)
                    text += char16_t(number.fraction(fractionIndex));
                else if (token.placeholder == u'?')
                    text += u' ';
            }
        } else if (token.part == Part::General) {
            // General beside digit placeholders would show the number twice.
            if (!anyDigit)
                appendGeneralNumber(magnitude, text);
        } else {
            cellformat::appendText(text, token.text);
        }
    }
}

#include "data/CellFormat.h"

#include "data/CellFormatText.h"
#include "data/WorkbookMemory.h"

#include <algorithm>

namespace {

using Part = CellFormat::Part;
using Section = CellFormat::Section;
using Token = CellFormat::Token;

bool isDatePart(Part part)
{
    return part >= Part::Year2 && part <= Part::AmPm;
}

Token token(Part part, const QString& text = QString(), int width = 0)
{
    return Token { part, text, width };
}

bool isPlaceholder(QChar c)
{
    return c == u'0' || c == u'#' || c == u'?';
}

// The length of the run of one letter (either case) starting at i.
qsizetype runLength(QStringView code, qsizetype i)
{
    const QChar letter = code[i].toLower();
    qsizetype end = i;
    while (end < code.size() && code[end].toLower() == letter)
        ++end;
    return end - i;
}

class SectionParser
{
public:
    explicit SectionParser(QStringView code)
        : code_(code)
    { }

    // False for what cannot be followed exactly: scientific notation, fractions, conditions.
    bool parse(Section& section)
    {
        section_ = &section;
        for (i_ = 0; i_ < code_.size();) {
            if (!next())
                return false;
        }
        resolveMinutes();
        for (const Token& token : section.tokens) {
            if (token.part == Part::SecondFraction)
                section.secondFractionWidth = std::max(section.secondFractionWidth, token.width);
        }
        return true;
    }

private:
    bool next()
    {
        const QChar c = code_[i_];
        const char16_t lower = c.toLower().unicode();
        if (c == u'"') {
            const qsizetype close = code_.indexOf(u'"', i_ + 1);
            const qsizetype end = close < 0 ? code_.size() : close;
            literal(code_.mid(i_ + 1, end - i_ - 1));
            i_ = end + 1;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            // An escaped character; the width of one (shown as a space); a fill (dropped).
            if (c == u'\\' && i_ + 1 < code_.size())
                literal(code_.mid(i_ + 1, 1));
            else if (c == u'_')
                literal(u" ");
            i_ += 2;
        } else if (c == u'[') {
            return bracket();
        } else if (lower == u'y') {
            dateRun(runLength(code_, i_) >= 3 ? Part::Year4 : Part::Year2);
        } else if (lower == u'm') {
            const qsizetype run = runLength(code_, i_);
            dateRun(run == 1   ? Part::Month
                    : run == 2 ? Part::Month2
                    : run == 3 ? Part::MonthAbbreviation
                    : run == 5 ? Part::MonthLetter
                               : Part::MonthName);
        } else if (lower == u'd') {
            const qsizetype run = runLength(code_, i_);
            dateRun(run == 1   ? Part::Day
                    : run == 2 ? Part::Day2
                    : run == 3 ? Part::WeekdayAbbreviation
                               : Part::WeekdayName);
        } else if (lower == u'h') {
            dateRun(runLength(code_, i_) == 1 ? Part::Hour : Part::Hour2);
        } else if (lower == u's') {
            dateRun(runLength(code_, i_) == 1 ? Part::Second : Part::Second2);
        } else if (code_.mid(i_).startsWith(u"AM/PM", Qt::CaseInsensitive)) {
            amPm(5);
        } else if (code_.mid(i_).startsWith(u"A/P", Qt::CaseInsensitive)) {
            amPm(3);
        } else if (code_.mid(i_).startsWith(u"General", Qt::CaseInsensitive)) {
            general(7);
        } else if (c == u'@') {
            general(1);
        } else if (isPlaceholder(c)) {
            placeholder(c.unicode());
            ++i_;
        } else if (c == u'.') {
            point();
        } else if (c == u',') {
            comma();
        } else if (c == u'%') {
            ++section_->percent;
            section_->tokens.push_back(token(Part::Percent, QStringLiteral("%")));
            ++i_;
        } else if ((lower == u'e' && i_ + 1 < code_.size() && (code_[i_ + 1] == u'+' || code_[i_ + 1] == u'-'))
            || (c == u'/' && hasDigits())) {
            return false;
        } else {
            literal(code_.mid(i_, 1));
            ++i_;
        }
        return true;
    }

    bool bracket()
    {
        const qsizetype close = code_.indexOf(u']', i_);
        if (close < 0)
            return false;
        const QString inner = code_.mid(i_ + 1, close - i_ - 1).toString().toLower();
        i_ = close + 1;
        if (inner.isEmpty())
            return true;
        const auto allOf = [&inner](QChar letter) { return inner.count(letter) == inner.size(); };
        if (allOf(u'h'))
            section_->tokens.push_back(token(Part::ElapsedHours, {}, int(inner.size())));
        else if (allOf(u'm'))
            section_->tokens.push_back(token(Part::ElapsedMinutes, {}, int(inner.size())));
        else if (allOf(u's'))
            section_->tokens.push_back(token(Part::ElapsedSeconds, {}, int(inner.size())));
        else if (inner.startsWith(u'<') || inner.startsWith(u'>') || inner.startsWith(u'='))
            return false;
        else if (inner.startsWith(u'$')) {
            // A currency symbol and a locale: "[$€-407]"; the locale alone changes nothing here.
            const QStringView whole = code_.mid(close - inner.size(), inner.size());
            const qsizetype dash = whole.indexOf(u'-');
            literal(whole.mid(1, (dash < 0 ? whole.size() : dash) - 1));
        }
        // Colours and other display hints do not change the text.
        return true;
    }

    void dateRun(Part part)
    {
        section_->tokens.push_back(token(part));
        i_ += runLength(code_, i_);
    }

    void amPm(qsizetype length)
    {
        section_->twelveHour = true;
        section_->tokens.push_back(token(Part::AmPm, code_.mid(i_, length).toString()));
        i_ += length;
    }

    void general(qsizetype length)
    {
        section_->hasGeneral = true;
        section_->tokens.push_back(token(Part::General));
        i_ += length;
    }

    // Placeholders alike in a row are one token: a code of many digits stays small.
    void placeholder(char16_t c)
    {
        Token* last = section_->tokens.empty() ? nullptr : &section_->tokens.back();
        if (last && last->part == Part::Digit && last->placeholder == c && last->fraction == pointSeen_)
            ++last->width;
        else
            section_->tokens.push_back(Token { Part::Digit, {}, 1, pointSeen_, c });
        ++(pointSeen_ ? section_->fractionDigits : section_->integerDigits);
    }

    void point()
    {
        const Part before = section_->tokens.empty() ? Part::Literal : section_->tokens.back().part;
        const bool afterSeconds = before == Part::Second || before == Part::Second2 || before == Part::ElapsedSeconds;
        if (afterSeconds && i_ + 1 < code_.size() && code_[i_ + 1] == u'0') {
            qsizetype end = i_ + 1;
            while (end < code_.size() && code_[end] == u'0')
                ++end;
            section_->tokens.push_back(token(Part::SecondFraction, {}, int(std::min<qsizetype>(end - i_ - 1, 3))));
            i_ = end;
            return;
        }
        if (pointSeen_) {
            literal(u".");
        } else {
            pointSeen_ = true;
            section_->tokens.push_back(token(Part::DecimalPoint, QStringLiteral(".")));
        }
        ++i_;
    }

    void comma()
    {
        const bool afterDigit = !section_->tokens.empty() && section_->tokens.back().part == Part::Digit;
        if (afterDigit && !pointSeen_ && i_ + 1 < code_.size() && isPlaceholder(code_[i_ + 1]))
            section_->grouping = true;
        else if (afterDigit)
            ++section_->scale;
        else
            literal(u",");
        ++i_;
    }

    bool hasDigits() const
    {
        for (const Token& token : section_->tokens) {
            if (token.part == Part::Digit)
                return true;
        }
        return false;
    }

    void literal(QStringView text)
    {
        if (text.isEmpty())
            return;
        if (!section_->tokens.empty() && section_->tokens.back().part == Part::Literal)
            section_->tokens.back().text += text;
        else
            section_->tokens.push_back(token(Part::Literal, text.toString()));
    }

    // "m" and "mm" are minutes right after hours or right before seconds.
    void resolveMinutes()
    {
        std::vector<Token>& tokens = section_->tokens;
        const auto neighbour = [&tokens](size_t index, int step) {
            for (auto i = qsizetype(index) + step; i >= 0 && i < qsizetype(tokens.size()); i += step) {
                if (isDatePart(tokens[size_t(i)].part))
                    return tokens[size_t(i)].part;
            }
            return Part::Literal;
        };
        for (size_t i = 0; i < tokens.size(); ++i) {
            Token& token = tokens[i];
            if (token.part != Part::Month && token.part != Part::Month2)
                continue;
            const Part before = neighbour(i, -1);
            const Part after = neighbour(i, 1);
            if (before == Part::Hour || before == Part::Hour2 || before == Part::ElapsedHours || after == Part::Second
                || after == Part::Second2 || after == Part::SecondFraction)
                token.part = token.part == Part::Month ? Part::Minute : Part::Minute2;
        }
    }

    QStringView code_;
    Section* section_ = nullptr;
    qsizetype i_ = 0;
    bool pointSeen_ = false;
};

// The code's sections, split at semicolons outside quotes, escapes and brackets.
std::vector<QStringView> splitSections(QStringView code)
{
    std::vector<QStringView> sections;
    qsizetype start = 0;
    bool quoted = false;
    bool bracketed = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == u'\\')
            ++i;
        else if (c == u'[')
            bracketed = true;
        else if (c == u']')
            bracketed = false;
        else if (c == u';' && !bracketed) {
            sections.push_back(code.mid(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(code.mid(start));
    return sections;
}

} // namespace

CellFormat CellFormat::fromCode(QStringView code)
{
    CellFormat format;
    if (code.trimmed().isEmpty())
        return format;
    const std::vector<QStringView> parts = splitSections(code);
    // A fourth section formats texts, which keep their own.
    for (size_t i = 0; i < parts.size() && i < 3; ++i) {
        Section section;
        if (!SectionParser(parts[i]).parse(section))
            return CellFormat();
        format.sections_.push_back(std::move(section));
    }
    const Section& first = format.sections_.front();
    bool date = false;
    bool digits = false;
    for (const Token& token : first.tokens) {
        date = date || isDatePart(token.part);
        digits = digits || token.part == Part::Digit;
    }
    if (date)
        format.kind_ = Kind::Date;
    else if (digits || format.sections_.size() > 1 || first.tokens.size() != 1 || !first.hasGeneral)
        format.kind_ = Kind::Number;
    // A code of General alone stays the plain General format.
    return format;
}

CellFormat CellFormat::builtIn(int id)
{
    // Codes fixed by the file format. The short date (14, 22) and the East Asian dates follow
    // the reading machine's locale in the program that wrote them, so they are shown in ISO 8601.
    switch (id) {
    case 1:
        return fromCode(u"0");
    case 2:
        return fromCode(u"0.00");
    case 3:
        return fromCode(u"#,##0");
    case 4:
        return fromCode(u"#,##0.00");
    case 9:
        return fromCode(u"0%");
    case 10:
        return fromCode(u"0.00%");
    case 15:
        return fromCode(u"d-mmm-yy");
    case 16:
        return fromCode(u"d-mmm");
    case 17:
        return fromCode(u"mmm-yy");
    case 18:
        return fromCode(u"h:mm AM/PM");
    case 19:
        return fromCode(u"h:mm:ss AM/PM");
    case 20:
        return fromCode(u"h:mm");
    case 21:
        return fromCode(u"h:mm:ss");
    case 22:
        return fromCode(u"yyyy-mm-dd hh:mm");
    case 37:
        return fromCode(u"#,##0 ;(#,##0)");
    case 38:
        return fromCode(u"#,##0 ;[Red](#,##0)");
    case 39:
        return fromCode(u"#,##0.00;(#,##0.00)");
    case 40:
        return fromCode(u"#,##0.00;[Red](#,##0.00)");
    case 45:
        return fromCode(u"mm:ss");
    case 46:
        return fromCode(u"[h]:mm:ss");
    case 47:
        return fromCode(u"mm:ss.0");
    default:
        break;
    }
    if (id == 14 || (id >= 27 && id <= 36) || (id >= 50 && id <= 58))
        return fromCode(u"yyyy-mm-dd");
    return CellFormat();
}

QString CellFormat::format(double value, bool date1904) const
{
    std::u16string text;
    format(value, date1904, text);
    return cellformat::shownText(text);
}

void CellFormat::format(double value, bool date1904, std::u16string& text) const
{
    text.clear();
    switch (kind_) {
    case Kind::Date:
        formatDate(value, date1904, text);
        return;
    case Kind::Number:
        formatNumber(value, text);
        return;
    case Kind::General:
        break;
    }
    appendGeneralNumber(value, text);
}

qint64 CellFormat::memoryBytes() const
{
    qint64 bytes = qint64(sizeof(CellFormat) + sections_.capacity() * sizeof(Section));
    for (const Section& section : sections_) {
        bytes += qint64(section.tokens.capacity() * sizeof(Token));
        for (const Token& token : section.tokens) {
            if (!token.text.isEmpty())
                bytes += WorkbookMemory::textBytes(token.text.size());
        }
    }
    return bytes;
}

#pragma once

#include <QString>
#include <QStringView>

#include <string>
#include <string_view>
#include <vector>

// How a workbook shows a number: its number format, compiled once from the format code and
// applied to every cell that uses it. Dates and times follow their code's tokens; plain number
// codes ("0.00", "#,##0", "0%") are followed where that is exact; anything else shows the number
// as the General format does.
class CellFormat
{
public:
    // The General format.
    CellFormat() = default;
    // A format code as stored in the workbook's styles ("yyyy-mm-dd", "#,##0.00;[Red]-#,##0.00").
    static CellFormat fromCode(QStringView code);
    // One of the formats every workbook knows by number without storing its code.
    static CellFormat builtIn(int id);

    bool isGeneral() const { return kind_ == Kind::General; }
    bool isDate() const { return kind_ == Kind::Date; }

    // The text shown for a number; date1904 says which day serial 0 is.
    QString format(double value, bool date1904) const;
    // The same text written into a buffer the caller reuses from cell to cell, so that showing
    // a cell allocates nothing but its final text.
    void format(double value, bool date1904, std::u16string& text) const;
    // The heap this format takes, to count against what a workbook may take.
    qint64 memoryBytes() const;

    // Tokens of a format section (internal to the formatter, public for its parts).
    enum class Part
    {
        Literal,
        General,
        // dates and times
        Year2,
        Year4,
        Month,
        Month2,
        MonthAbbreviation,
        MonthName,
        MonthLetter,
        Day,
        Day2,
        WeekdayAbbreviation,
        WeekdayName,
        Hour,
        Hour2,
        Minute,
        Minute2,
        Second,
        Second2,
        ElapsedHours,
        ElapsedMinutes,
        ElapsedSeconds,
        SecondFraction,
        AmPm,
        // numbers
        Digit, // '0', '#' or '?' in text
        DecimalPoint,
        Percent,
    };
    struct Token
    {
        Part part = Part::Literal;
        QString text; // a literal, the point, the percent sign, or the AM/PM spelling
        // digits of elapsed time or second fractions; for placeholders, how many alike in a row
        int width = 0;
        bool fraction = false; // digit placeholders after the decimal point
        char16_t placeholder = 0; // '0', '#' or '?'
    };
    struct Section
    {
        std::vector<Token> tokens;
        bool grouping = false; // thousands separators between the integer digits
        int scale = 0; // powers of 1000 divided out by commas after the last integer digit
        int percent = 0;
        int fractionDigits = 0;
        bool twelveHour = false;
        bool hasGeneral = false;
        int integerDigits = 0; // placeholders before the point
        int secondFractionWidth = 0; // the most decimals of a second shown
    };

private:
    enum class Kind
    {
        General,
        Date,
        Number
    };

    void formatDate(double serial, bool date1904, std::u16string& text) const;
    void formatNumber(double value, std::u16string& text) const;

    Kind kind_ = Kind::General;
    std::vector<Section> sections_;
};

// A number as the General format shows it: at most 15 significant digits, no binary noise
// (0.1 + 0.2 shows as "0.3"), "E+20" for large or small magnitudes.
QString generalNumberText(double value);
// The same text added to a formatter's buffer.
void appendGeneralNumber(double value, std::u16string& text);
// The shown text of a numeric cell's stored value under General, straight from its bytes when
// they already read as General shows them. The bytes as text when they are no number.
QString generalCellText(std::string_view stored);
// A stored numeric value, or false when the text is no finite number.
bool parseCellNumber(std::string_view stored, double& value);
// A serial day number as ISO 8601: "yyyy-mm-dd", "hh:mm" (":ss" when it has seconds), or both;
// "" for a serial no calendar has.
QString isoDateText(double serial, bool date1904);

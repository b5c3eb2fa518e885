#include "data/CellFormat.h"

#include "data/CellFormatText.h"

#include <algorithm>
#include <cmath>

namespace {

using Part = CellFormat::Part;
using Token = CellFormat::Token;
using cellformat::appendLatin1;
using cellformat::appendPadded;
using cellformat::appendText;

constexpr qint64 secondsPerDay = 86'400;
// The last day a workbook can show: 31 December 9999 in either date system.
constexpr double lastSerial1900 = 2'958'466;
constexpr double lastSerial1904 = 2'957'004;
// Days from 1 January 1970 back to the days the date systems count from.
constexpr qint64 epoch1900 = -25'569; // 30 December 1899
constexpr qint64 epoch1904 = -24'107; // 1 January 1904

const char* const monthNames[] = { "January", "February", "March", "April", "May", "June", "July", "August",
    "September", "October", "November", "December" };
const char* const weekdayNames[] = { "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday" };

struct CalendarDay
{
    int year = 0;
    int month = 0;
    int day = 0;
    int weekday = 0; // 0 is Sunday
};

// The Gregorian date of a day counted from 1 January 1970, by integer arithmetic over
// 400-year eras (March-based years put the leap day last).
CalendarDay civilDay(qint64 days)
{
    days += 719'468; // from 1 March of year 0
    const qint64 era = (days >= 0 ? days : days - 146'096) / 146'097;
    const qint64 dayOfEra = days - era * 146'097;
    const qint64 yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int month = int(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    const int day = int(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    return { int(yearOfEra + era * 400 + (month <= 2 ? 1 : 0)), month, day, 0 };
}

// The day a serial names. The 1900 system counts a 29 February 1900 that never was (day 60) and
// shows day 0 as "1900-01-00"; its weekdays follow that count, as the workbook shows them.
CalendarDay calendarDay(qint64 days, bool date1904)
{
    if (date1904) {
        CalendarDay date = civilDay(epoch1904 + days);
        date.weekday = int((days + 5) % 7);
        return date;
    }
    const int weekday = int((days + 6) % 7);
    if (days == 0)
        return { 1900, 1, 0, weekday };
    if (days == 60)
        return { 1900, 2, 29, weekday };
    CalendarDay date = civilDay(epoch1900 + days + (days < 60 ? 1 : 0));
    date.weekday = weekday;
    return date;
}

// A serial split into whole days and units of the day (seconds, or tenths to thousandths of a
// second), rounded to the unit shown. False for a serial outside the calendar, judged after
// rounding: the last moments of 9999 may round into a year no workbook shows.
bool splitSerial(double serial, bool date1904, qint64 unitsPerSecond, qint64& days, qint64& units)
{
    const double lastSerial = date1904 ? lastSerial1904 : lastSerial1900;
    if (!std::isfinite(serial) || serial < 0 || serial >= lastSerial)
        return false;
    const qint64 unitsPerDay = secondsPerDay * unitsPerSecond;
    const qint64 total = std::llround(serial * double(unitsPerDay));
    days = total / unitsPerDay;
    units = total % unitsPerDay;
    return days < qint64(lastSerial);
}

// Whether a section shows any part of the time of day, whose rounding may carry into the next day.
bool showsTime(const CellFormat::Section& section)
{
    return std::any_of(section.tokens.begin(), section.tokens.end(), [](const Token& token) {
        switch (token.part) {
        case Part::Hour:
        case Part::Hour2:
        case Part::Minute:
        case Part::Minute2:
        case Part::Second:
        case Part::Second2:
        case Part::ElapsedHours:
        case Part::ElapsedMinutes:
        case Part::ElapsedSeconds:
        case Part::SecondFraction:
        case Part::AmPm:
            return true;
        default:
            return false;
        }
    });
}

qint64 powerOfTen(int exponent)
{
    qint64 power = 1;
    while (exponent-- > 0)
        power *= 10;
    return power;
}

void appendName(std::u16string& text, const char* name, size_t length)
{
    appendLatin1(text, name, std::min(length, std::char_traits<char>::length(name)));
}

} // namespace

void CellFormat::formatDate(double serial, bool date1904, std::u16string& text) const
{
    const Section& section = sections_.front();
    const int fractionWidth = section.secondFractionWidth;
    // A date alone is the day the moment falls in: only binary noise below the workbook's
    // millisecond may round it into the next day.
    const qint64 unitsPerSecond = showsTime(section) ? powerOfTen(fractionWidth) : 1000;
    qint64 days = 0;
    qint64 units = 0;
    // Negative or far-future serials have no date; the number itself is what is known.
    if (!splitSerial(serial, date1904, unitsPerSecond, days, units)) {
        appendGeneralNumber(serial, text);
        return;
    }
    const qint64 seconds = units / unitsPerSecond;
    const qint64 totalSeconds = days * secondsPerDay + seconds;
    const CalendarDay day = calendarDay(days, date1904);
    const int hour = int(seconds / 3600);
    for (const Token& token : section.tokens) {
        switch (token.part) {
        case Part::Year2:
            appendPadded(text, day.year % 100, 2);
            break;
        case Part::Year4:
            appendPadded(text, day.year, 4);
            break;
        case Part::Month:
        case Part::Month2:
            appendPadded(text, day.month, token.part == Part::Month2 ? 2 : 1);
            break;
        case Part::MonthAbbreviation:
            appendName(text, monthNames[day.month - 1], 3);
            break;
        case Part::MonthName:
            appendName(text, monthNames[day.month - 1], size_t(-1));
            break;
        case Part::MonthLetter:
            appendName(text, monthNames[day.month - 1], 1);
            break;
        case Part::Day:
        case Part::Day2:
            appendPadded(text, day.day, token.part == Part::Day2 ? 2 : 1);
            break;
        case Part::WeekdayAbbreviation:
            appendName(text, weekdayNames[day.weekday], 3);
            break;
        case Part::WeekdayName:
            appendName(text, weekdayNames[day.weekday], size_t(-1));
            break;
        case Part::Hour:
        case Part::Hour2: {
            const int shown = section.twelveHour ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
            appendPadded(text, shown, token.part == Part::Hour2 ? 2 : 1);
            break;
        }
        case Part::Minute:
        case Part::Minute2:
            appendPadded(text, seconds / 60 % 60, token.part == Part::Minute2 ? 2 : 1);
            break;
        case Part::Second:
        case Part::Second2:
            appendPadded(text, seconds % 60, token.part == Part::Second2 ? 2 : 1);
            break;
        case Part::ElapsedHours:
            appendPadded(text, totalSeconds / 3600, token.width);
            break;
        case Part::ElapsedMinutes:
            appendPadded(text, totalSeconds / 60, token.width);
            break;
        case Part::ElapsedSeconds:
            appendPadded(text, totalSeconds, token.width);
            break;
        case Part::SecondFraction:
            text += u'.';
            appendPadded(text, units % unitsPerSecond / powerOfTen(fractionWidth - token.width), token.width);
            break;
        case Part::AmPm: {
            // "AM/PM" or "A/P", in the case the code writes them.
            const qsizetype slash = token.text.indexOf(u'/');
            appendText(text, hour >= 12 ? QStringView(token.text).mid(slash + 1) : QStringView(token.text).left(slash));
            break;
        }
        case Part::General:
            appendGeneralNumber(serial, text);
            break;
        case Part::Digit:
            text.append(size_t(token.width), token.placeholder);
            break;
        default:
            appendText(text, token.text);
            break;
        }
    }
}

QString isoDateText(double serial, bool date1904)
{
    qint64 days = 0;
    qint64 seconds = 0;
    if (!splitSerial(serial, date1904, 1, days, seconds))
        return QString();
    std::u16string text;
    // Day 0 of the 1900 system is no day: a time alone.
    const bool dated = days != 0 || date1904;
    if (dated) {
        const CalendarDay day = calendarDay(days, date1904);
        appendPadded(text, day.year, 4);
        text += u'-';
        appendPadded(text, day.month, 2);
        text += u'-';
        appendPadded(text, day.day, 2);
    }
    if (!dated || seconds != 0) {
        if (dated)
            text += u' ';
        appendPadded(text, seconds / 3600, 2);
        text += u':';
        appendPadded(text, seconds / 60 % 60, 2);
        if (seconds % 60 != 0) {
            text += u':';
            appendPadded(text, seconds % 60, 2);
        }
    }
    return cellformat::shownText(text);
}

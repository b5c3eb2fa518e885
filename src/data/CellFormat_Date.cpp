#include "data/CellFormat.h"

#include <QDate>

#include <cmath>

namespace {

using Part = CellFormat::Part;
using Token = CellFormat::Token;

constexpr qint64 secondsPerDay = 86'400;
// The last day a workbook can show: 31 December 9999 in either date system.
constexpr double lastSerial1900 = 2'958'466;
constexpr double lastSerial1904 = 2'957'004;

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

// The day a serial names. The 1900 system counts a 29 February 1900 that never was (day 60) and
// shows day 0 as "1900-01-00"; its weekdays follow that count, as the workbook shows them.
CalendarDay calendarDay(qint64 days, bool date1904)
{
    if (date1904) {
        const QDate date = QDate(1904, 1, 1).addDays(days);
        return { date.year(), date.month(), date.day(), int((days + 5) % 7) };
    }
    const int weekday = int((days + 6) % 7);
    if (days == 0)
        return { 1900, 1, 0, weekday };
    if (days == 60)
        return { 1900, 2, 29, weekday };
    const QDate date = (days < 60 ? QDate(1899, 12, 31) : QDate(1899, 12, 30)).addDays(days);
    return { date.year(), date.month(), date.day(), weekday };
}

// A serial split into whole days and units of the day (seconds, or tenths to thousandths of a
// second), rounded to the unit shown. False for a serial outside the calendar.
bool splitSerial(double serial, bool date1904, qint64 unitsPerSecond, qint64& days, qint64& units)
{
    if (!std::isfinite(serial) || serial < 0 || serial >= (date1904 ? lastSerial1904 : lastSerial1900))
        return false;
    const qint64 unitsPerDay = secondsPerDay * unitsPerSecond;
    const qint64 total = std::llround(serial * double(unitsPerDay));
    days = total / unitsPerDay;
    units = total % unitsPerDay;
    return true;
}

QString padded(qint64 number, int width)
{
    return QStringLiteral("%1").arg(number, width, 10, QLatin1Char('0'));
}

} // namespace

QString CellFormat::formatDate(double serial, bool date1904) const
{
    const Section& section = sections_.front();
    int fractionWidth = 0;
    for (const Token& token : section.tokens) {
        if (token.part == Part::SecondFraction)
            fractionWidth = std::max(fractionWidth, token.width);
    }
    const qint64 unitsPerSecond = qint64(std::pow(10, fractionWidth));
    qint64 days = 0;
    qint64 units = 0;
    // Negative or far-future serials have no date; the number itself is what is known.
    if (!splitSerial(serial, date1904, unitsPerSecond, days, units))
        return generalNumberText(serial);
    const qint64 seconds = units / unitsPerSecond;
    const qint64 totalSeconds = days * secondsPerDay + seconds;
    const CalendarDay day = calendarDay(days, date1904);
    const int hour = int(seconds / 3600);
    QString text;
    for (const Token& token : section.tokens) {
        switch (token.part) {
        case Part::Year2:
            text += padded(day.year % 100, 2);
            break;
        case Part::Year4:
            text += padded(day.year, 4);
            break;
        case Part::Month:
        case Part::Month2:
            text += padded(day.month, token.part == Part::Month2 ? 2 : 1);
            break;
        case Part::MonthAbbreviation:
            text += QLatin1String(monthNames[day.month - 1], 3);
            break;
        case Part::MonthName:
            text += QLatin1String(monthNames[day.month - 1]);
            break;
        case Part::MonthLetter:
            text += QLatin1Char(monthNames[day.month - 1][0]);
            break;
        case Part::Day:
        case Part::Day2:
            text += padded(day.day, token.part == Part::Day2 ? 2 : 1);
            break;
        case Part::WeekdayAbbreviation:
            text += QLatin1String(weekdayNames[day.weekday], 3);
            break;
        case Part::WeekdayName:
            text += QLatin1String(weekdayNames[day.weekday]);
            break;
        case Part::Hour:
        case Part::Hour2: {
            const int shown = section.twelveHour ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
            text += padded(shown, token.part == Part::Hour2 ? 2 : 1);
            break;
        }
        case Part::Minute:
        case Part::Minute2:
            text += padded(seconds / 60 % 60, token.part == Part::Minute2 ? 2 : 1);
            break;
        case Part::Second:
        case Part::Second2:
            text += padded(seconds % 60, token.part == Part::Second2 ? 2 : 1);
            break;
        case Part::ElapsedHours:
            text += padded(totalSeconds / 3600, token.width);
            break;
        case Part::ElapsedMinutes:
            text += padded(totalSeconds / 60, token.width);
            break;
        case Part::ElapsedSeconds:
            text += padded(totalSeconds, token.width);
            break;
        case Part::SecondFraction: {
            const qint64 fraction = units % unitsPerSecond / qint64(std::pow(10, fractionWidth - token.width));
            text += u'.' + padded(fraction, token.width);
            break;
        }
        case Part::AmPm: {
            // "AM/PM" or "A/P", in the case the code writes them.
            const bool afternoon = hour >= 12;
            const qsizetype slash = token.text.indexOf(u'/');
            text += afternoon ? token.text.mid(slash + 1) : token.text.left(slash);
            break;
        }
        case Part::General:
            text += generalNumberText(serial);
            break;
        default:
            text += token.text;
            break;
        }
    }
    return text;
}

QString isoDateText(double serial, bool date1904)
{
    qint64 days = 0;
    qint64 seconds = 0;
    if (!splitSerial(serial, date1904, 1, days, seconds))
        return QString();
    QString time = padded(seconds / 3600, 2) + u':' + padded(seconds / 60 % 60, 2);
    if (seconds % 60 != 0)
        time += u':' + padded(seconds % 60, 2);
    // Day 0 of the 1900 system is no day: a time alone.
    if (days == 0 && !date1904)
        return time;
    const CalendarDay day = calendarDay(days, date1904);
    const QString date = padded(day.year, 4) + u'-' + padded(day.month, 2) + u'-' + padded(day.day, 2);
    return seconds == 0 ? date : date + u' ' + time;
}

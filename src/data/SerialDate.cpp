#include "data/SerialDate.h"

#include <QDateTime>
#include <QLocale>

namespace {

constexpr double millisecondsPerDay = 86'400'000.0;

} // namespace

QString serialFromIsoDate(const QString& iso, bool date1904)
{
    QDate date;
    QTime time(0, 0);
    if (iso.contains(u'-')) {
        const QDateTime parsed = QDateTime::fromString(iso, Qt::ISODateWithMs);
        if (!parsed.isValid())
            return QString();
        // The time as written: a zone suffix does not move a calendar date.
        date = parsed.date();
        time = parsed.time();
    } else {
        time = QTime::fromString(iso, Qt::ISODateWithMs);
        if (!time.isValid())
            return QString();
    }
    qint64 days = 0;
    if (date.isValid()) {
        days = (date1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30)).daysTo(date);
        if (!date1904 && days > 0 && date < QDate(1900, 3, 1))
            --days;
    }
    const int milliseconds = time.msecsSinceStartOfDay();
    if (milliseconds == 0)
        return QString::number(days);
    return QLocale::c().toString(double(days) + milliseconds / millisecondsPerDay, 'g', QLocale::FloatingPointShortest);
}

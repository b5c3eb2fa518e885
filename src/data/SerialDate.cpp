#include "data/SerialDate.h"

#include <QDateTime>

namespace {

constexpr double millisecondsPerDay = 86'400'000.0;

} // namespace

std::optional<double> serialFromIsoDate(const QString& iso, bool date1904)
{
    QDate date;
    QTime time(0, 0);
    if (iso.contains(u'-')) {
        const QDateTime parsed = QDateTime::fromString(iso, Qt::ISODateWithMs);
        if (!parsed.isValid())
            return std::nullopt;
        // The time as written: a zone suffix does not move a calendar date.
        date = parsed.date();
        time = parsed.time();
    } else {
        time = QTime::fromString(iso, Qt::ISODateWithMs);
        if (!time.isValid())
            return std::nullopt;
    }
    qint64 days = 0;
    if (date.isValid()) {
        days = (date1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30)).daysTo(date);
        if (!date1904 && days > 0 && date < QDate(1900, 3, 1))
            --days;
    }
    return double(days) + time.msecsSinceStartOfDay() / millisecondsPerDay;
}

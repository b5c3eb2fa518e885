#include "data/SeriesOfLength.h"

#include "data/SeriesLines.h"
#include "data/SeriesStore.h"
#include "platform/SafeRead.h"

#include <QFile>

#include <optional>

qint64 countSeriesRows(const QString& name, qint64 atMost)
{
    QFile file;
    if (!isSeriesNameSafe(name) || !SafeRead::openRegularFile(file, seriesFilePath(name)))
        return -1;
    SeriesLines reader(file, maxSeriesValueBytes);
    for (qint64 rows = 0;;) {
        switch (reader.next()) {
        case SeriesLines::Read::Line:
        case SeriesLines::Read::TooLong:
            if (++rows > atMost)
                return rows;
            break;
        case SeriesLines::Read::End:
            return rows;
        case SeriesLines::Read::Failed:
            return -1;
        }
    }
}

QList<QStringList> seriesOfLength(int rows, const QStringList& except)
{
    QList<QStringList> found;
    for (const QString& name : seriesNames()) {
        if (except.contains(name) || countSeriesRows(name, rows) != rows)
            continue;
        std::optional<SeriesRows> series = readSeriesFile(name);
        if (series && series->values.size() == rows)
            found << std::move(series->values);
    }
    return found;
}

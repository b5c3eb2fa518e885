#pragma once

#include <QString>
#include <QStringList>

// The rows of a stored series by the reading rule (a value a line; only a final line end
// starts no line), counted on its bytes and no further than one past `atMost`: a series of
// millions of lines costs no more than reading to that point. -1 when the file is missing, not a
// plain file or cannot be read.
qint64 countSeriesRows(const QString& name, qint64 atMost);

// The stored series, other than those named, that hold exactly `rows` values, each read whole
// only once its lines have been counted to that length.
QList<QStringList> seriesOfLength(int rows, const QStringList& except);

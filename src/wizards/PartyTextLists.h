#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// The entries of a list file such as Title.txt: one per line, read as UTF-8, a line ending in LF,
// CR LF or CR alone. A byte-order mark (also one of a list joined to the end of another),
// surrounding blanks and blank lines are not part of any entry. None when the file cannot be read
// or is larger than any list (maxEntryListBytes), with the reason in reason.
constexpr qint64 maxEntryListBytes = 1024 * 1024;
std::optional<QStringList> readEntryList(const QString& path, QString* reason);

// The date in the user's medium style ("Dec 7, 2026" in English): the locale's long form
// without the weekday and with the month's short name.
QString mediumDateText(const QDate& date);

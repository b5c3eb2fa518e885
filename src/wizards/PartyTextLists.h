#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// The entries of a list file such as Title.txt: one per line, read as UTF-8. A byte-order
// mark, carriage returns, surrounding blanks and blank lines are not part of any entry.
// None when the file cannot be read.
std::optional<QStringList> readEntryList(const QString& path);

// The date in the user's medium style ("Dec 7, 2026" in English): the locale's long form
// without the weekday and with the month's short name.
QString mediumDateText(const QDate& date);

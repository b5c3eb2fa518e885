#include "wizards/PartyTextLists.h"

#include "platform/SafeRead.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringDecoder>

std::optional<QStringList> readEntryList(const QString& path, QString* reason)
{
    QByteArray bytes;
    if (!SafeRead::readRegularFile(path, maxEntryListBytes, bytes, reason))
        return std::nullopt;
    // The decoder drops a leading byte-order mark; the loop drops those of lists joined to it.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    QStringList entries;
    // A carriage return alone ends a line too, as in lists of older systems.
    static const QRegularExpression lineEnd(QStringLiteral("\\r\\n|\\r|\\n"));
    for (const QString& line : text.split(lineEnd)) {
        QString entry = line.trimmed();
        while (entry.startsWith(QChar(QChar::ByteOrderMark)))
            entry = entry.mid(1).trimmed();
        if (!entry.isEmpty())
            entries.append(entry);
    }
    return entries;
}

QString mediumDateText(const QDate& date)
{
    const QLocale locale;
    QString format = locale.dateFormat(QLocale::LongFormat);
    // Qt has no medium style: take the weekday out of the long one and shorten the month.
    static const QRegularExpression weekday(QStringLiteral("d{4}[,.]?\\s*"));
    format.remove(weekday);
    format.replace(QStringLiteral("MMMM"), QStringLiteral("MMM"));
    return locale.toString(date, format.trimmed());
}

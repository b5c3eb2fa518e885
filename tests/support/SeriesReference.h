#pragma once

// The series reading rule applied to a whole file at once: the reference the tests and the
// series fuzz target hold the program's streamed reads to.

#include "common/StringHelpers.h"
#include "data/SeriesStore.h"

#include <QStringDecoder>
#include <QStringList>

#include <optional>

// The values of series bytes; none when they are not UTF-8.
inline std::optional<QStringList> parseSeriesBytes(const QByteArray& bytes)
{
    // The decoder keeps the mark so that one mark, not two, is dropped, as a run's read does.
    QStringDecoder decoder(
        QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QStringList values;
    if (text.isEmpty())
        return values;
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    // Line by line, into a list made once at its size: a list of every line beside the values
    // would cost a series of millions of lines hundreds of megabytes more.
    values.reserve(text.count(QLatin1Char('\n')) + 1);
    for (qsizetype start = 0;;) {
        const qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        values.append(Trim_Str(QStringView(text).sliced(start, (end < 0 ? text.size() : end) - start).toString()));
        if (end < 0)
            return values;
        start = end + 1;
    }
}

// The same with no values for text that is not UTF-8.
inline QStringList parseSeriesText(const QByteArray& bytes)
{
    return parseSeriesBytes(bytes).value_or(QStringList());
}

// The values of a stored series as a run reads them; none when the read refuses the file.
inline QStringList readSeriesValues(const QString& name)
{
    return readSeriesFile(name).value_or(SeriesRows()).values;
}

#pragma once

// The series reading rule applied to a whole file at once: the reference the tests and the
// series fuzz target hold the program's streamed reads to.

#include "common/StringHelpers.h"
#include "data/SeriesStore.h"

#include <QStringDecoder>
#include <QStringList>

#include <optional>

// The values of series bytes; none when they are not text: UTF-16 after its byte-order mark,
// else UTF-8.
inline std::optional<QStringList> parseSeriesBytes(const QByteArray& bytes)
{
    QString text;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        if (bytes.size() % 2 != 0)
            return std::nullopt;
        QStringDecoder decoder(bytes.front() == '\xFF' ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
            QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        text = decoder.decode(QByteArrayView(bytes).sliced(2));
        for (qsizetype at = 0; at < text.size(); ++at) {
            if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate())
                ++at;
            else if (text[at].isSurrogate())
                return std::nullopt;
        }
    } else {
        // The decoder keeps the mark so that one mark, not two, is dropped, as a run's read does.
        QStringDecoder decoder(
            QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        text = decoder.decode(bytes);
        if (decoder.hasError())
            return std::nullopt;
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
    }
    // Nor is text holding a NUL character (UTF-16 without its mark is full of them).
    if (text.contains(QChar(0)))
        return std::nullopt;
    QStringList values;
    if (text.isEmpty())
        return values;
    // Lines end at "\r\n", "\r" or "\n"; only the final line end starts no line.
    text.chop(text.endsWith(QLatin1String("\r\n")) ? 2 : text.endsWith(u'\r') || text.endsWith(u'\n') ? 1 : 0);
    // Line by line, into a list made once at its size: a list of every line beside the values
    // would cost a series of millions of lines hundreds of megabytes more.
    values.reserve(text.count(QLatin1Char('\n')) + text.count(QLatin1Char('\r')) + 1);
    for (qsizetype start = 0, at = 0;; ++at) {
        if (at == text.size() || text[at] == u'\r' || text[at] == u'\n') {
            values.append(Trim_Str(QStringView(text).sliced(start, at - start).toString()));
            if (at == text.size())
                return values;
            if (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n')
                ++at;
            start = at + 1;
        }
    }
}

// The same with no values for what is not text.
inline QStringList parseSeriesText(const QByteArray& bytes)
{
    return parseSeriesBytes(bytes).value_or(QStringList());
}

// The values of a stored series as a run reads them; none when the read refuses the file.
inline QStringList readSeriesValues(const QString& name)
{
    return readSeriesFile(name).value_or(SeriesRows()).values;
}

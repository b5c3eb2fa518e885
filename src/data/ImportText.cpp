#include "data/ImportText.h"

#include "common/StringHelpers.h"
#include "data/RtfReader.h"
#include "data/SeriesLines.h"
#include "data/ValueEstimate.h"
#include "platform/SafeRead.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

namespace {

const QString unreadableMessage = QStringLiteral("Please select a valid file.");
const QString undecodableMessage
    = QStringLiteral("Either file is corrupted or selected file contains invalid characters.");
const QString emptyMessage = QStringLiteral("The selected file is empty.");

std::optional<QString> decodeWith(QStringConverter::Encoding encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

bool isLineEnd(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// The text without its one final line end (CR LF, CR or LF), which ends the last line
// rather than starting another.
QStringView withoutFinalLineEnd(const QString& text)
{
    QStringView view(text);
    if (view.endsWith(QLatin1String("\r\n")))
        view.chop(2);
    else if (!view.isEmpty() && isLineEnd(view.back()))
        view.chop(1);
    return view;
}

} // namespace

std::optional<QString> decodeImportText(const QByteArray& bytes, qint64* nulLine)
{
    std::optional<QString> text;
    if (const auto bom = QStringConverter::encodingForData(bytes)) {
        // The decoder drops the mark itself.
        text = decodeWith(*bom, bytes);
    } else {
        text = decodeWith(QStringConverter::Utf8, bytes);
        if (!text) {
            QStringDecoder windows1252("windows-1252", QStringConverter::Flag::Stateless);
            text = windows1252.isValid() ? windows1252(bytes) : QString::fromLatin1(bytes);
        }
    }
    if (const qsizetype nul = text ? text->indexOf(QChar(0)) : -1; nul >= 0) {
        if (nulLine)
            *nulLine = lineNumberAt(*text, nul);
        return std::nullopt;
    }
    return text;
}

namespace {

// Hands each CSV value, trimmed, to take in order.
template <class Take> void forEachCsvValue(const QString& all, Take take)
{
    const QStringView text = withoutFinalLineEnd(all);
    if (text.isEmpty())
        return;
    QString cell;
    bool quoted = false; // inside a quoted part of the cell
    bool cellWasQuoted = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c != QLatin1Char('"'))
                cell.append(c);
            else if (i + 1 < n && text.at(i + 1) == QLatin1Char('"'))
                cell.append(text.at(++i));
            else
                quoted = false;
        } else if (c == QLatin1Char('"') && !cellWasQuoted && Trim_Str(cell).isEmpty()) {
            cell.clear();
            quoted = cellWasQuoted = true;
        } else if (c == QLatin1Char(',') || isLineEnd(c)) {
            take(Trim_Str(cell));
            cell.clear();
            cellWasQuoted = false;
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else {
            cell.append(c);
        }
    }
    take(Trim_Str(cell));
}

// Hands each line, untrimmed, to take in order.
template <class Take> void forEachLine(const QString& all, Take take)
{
    const QStringView text = withoutFinalLineEnd(all);
    if (text.isEmpty())
        return;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i <= n; ++i) {
        if (i < n && !isLineEnd(text.at(i)))
            continue;
        take(text.mid(start, i - start));
        if (i + 1 < n && text.at(i) == QLatin1Char('\r') && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
}

// What the values of the text would take, counted without making them.
ValueEstimate estimateValues(const QString& text, bool csv)
{
    ValueEstimate estimate;
    if (csv)
        forEachCsvValue(text, [&estimate](const QString& value) { estimate.add(value.size()); });
    else
        forEachLine(text, [&estimate](QStringView line) { estimate.add(line.trimmed().size()); });
    return estimate;
}

} // namespace

QStringList csvValues(const QString& text)
{
    QStringList values;
    forEachCsvValue(text, [&values](QString&& value) { values.append(std::move(value)); });
    return values;
}

QStringList lineValues(const QString& text)
{
    QStringList values;
    forEachLine(text, [&values](QStringView line) { values.append(Trim_Str(line.toString())); });
    return values;
}

TextFileValues readTextFileValues(const QString& path)
{
    TextFileValues result;
    QByteArray bytes;
    if (!SafeRead::readRegularFile(path, SafeRead::maxTextBytes, bytes)) {
        result.message = unreadableMessage;
        return result;
    }
    const QString kind = QFileInfo(path).suffix().toUpper();
    std::optional<QString> text;
    qint64 nulLine = 0;
    if (bytes.isEmpty()) {
        text = QString();
    } else if (kind == QLatin1String("RTF")) {
        text = rtfPlainText(bytes, &nulLine);
    } else {
        text = decodeImportText(bytes, &nulLine);
    }
    if (nulLine > 0) {
        // A NUL character would reach the series, whose reader then refuses it: refused here,
        // in that reader's words.
        const QString why = kind == QLatin1String("RTF")
            ? QStringLiteral("\"%1\" is an RTF document, but %2").arg(path, nulCharacterClause(nulLine))
            : nulCharacterReason(path, nulLine);
        result.message = withReason(undecodableMessage, asSentence(why));
        return result;
    }
    const bool csv = kind == QLatin1String("CSV");
    if (text) {
        // Counted first: a file of bare separators is refused before its values take the memory.
        const QString refusal = estimateValues(*text, csv).refusal(path, bytes.size());
        if (!refusal.isEmpty()) {
            result.message = refusal;
            return result;
        }
        result.values = csv ? csvValues(*text) : lineValues(*text);
    }
    // Blank lines hold rows, but a file of nothing else has no values to import: it is empty,
    // not damaged.
    result.read = std::any_of(
        result.values.cbegin(), result.values.cend(), [](const QString& value) { return !value.isEmpty(); });
    if (!result.read)
        result.message = text ? emptyMessage : undecodableMessage;
    return result;
}

QStringList imageFilesInFolder(const QString& folder)
{
    static const QStringList imageExtensions { "jpg", "jpeg", "jpe", "jfif", "gif", "bmp", "png", "tif", "tiff" };
    QStringList paths;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (entry.isFile() && imageExtensions.contains(entry.suffix().toLower()))
            paths.append(entry.absoluteFilePath());
    }
    return paths;
}

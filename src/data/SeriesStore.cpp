#include "data/SeriesStore.h"

#include "common/FileHelpers.h"
#include "common/Globals.h"
#include "common/Logging.h"
#include "common/StringHelpers.h"
#include "data/SeriesKeptLines.h"
#include "data/SeriesLines.h"
#include "data/SpreadsheetWriter.h"
#include "data/ValueEstimate.h"
#include "platform/FolderPath.h"
#include "platform/CheckedWrite.h"
#include "platform/SafeRead.h"
#include "platform/SizeText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

const QString batch_file_EXT = QStringLiteral("txt");

namespace {

// One value per line, whatever line breaks the value holds.
QString oneLine(QString value)
{
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

} // namespace

bool isSeriesNameSafe(const QString& name)
{
    return isOneFileName(name);
}

QString cleanSeriesName(const QString& typed)
{
    return Remove_Reserve_Char_In_File_Name(typed);
}

const QString unsafeSeriesNameReason
    = QStringLiteral("a series name is one file name in the series folder: not empty, without a slash or "
                     "control character, and not \".\" or \"..\"");

QString seriesAccessError(const QString& name, const QString& why)
{
    return withReason(
        QStringLiteral("Error in file accessing."), QStringLiteral("Series \"%1\": %2").arg(name, asSentence(why)));
}

QString seriesFilePath(const QString& name)
{
    return fileInFolder(Data_Folder_Path, name + QLatin1Char('.') + batch_file_EXT);
}

bool seriesExists(const QString& name)
{
    return isSeriesNameSafe(name) && QFileInfo(seriesFilePath(name)).isFile();
}

QStringList seriesNames()
{
    return fileBaseNamesIn(Data_Folder_Path);
}

namespace {

// No series, with the reason given to whoever asked for one.
std::nullopt_t refuseWith(QString* reason, const QString& why)
{
    if (reason)
        *reason = why;
    return std::nullopt;
}

// What a file's line that gives no value makes of it: no series, with the line named.
QString notTextReason(const QString& path, qsizetype line, QByteArrayView bytes)
{
    if (bytes.contains('\0'))
        return nulCharacterReason(path, line + 1);
    return QStringLiteral("\"%1\" is not text in UTF-8 or UTF-16: line %2 is not UTF-8, and the file does not start "
                          "with the mark of UTF-16 (a file in an older encoding such as Latin-1 is not guessed at). "
                          "Save it as UTF-8 text")
        .arg(path)
        .arg(line + 1);
}

// What the values of a file's lines would take, counted before any is made, and how many lines
// there are; why not, when the file cannot be read. A line longer than a value can be counts
// as the empty value it gives.
std::optional<ValueEstimate> estimateSeriesFile(QFile& file, qint64* lines, QString* why)
{
    qint64 characters = 0;
    *lines = 0;
    SeriesLines reader(file, maxSeriesValueBytes);
    for (;;) {
        switch (reader.next()) {
        case SeriesLines::Read::Line:
            characters += reader.line().size();
            [[fallthrough]];
        case SeriesLines::Read::TooLong:
            ++*lines;
            break;
        case SeriesLines::Read::End: {
            ValueEstimate estimate;
            estimate.addMany(*lines, characters);
            return estimate;
        }
        case SeriesLines::Read::Failed:
            *why = reader.why();
            return std::nullopt;
        }
    }
}

} // namespace

std::optional<SeriesRows> readSeriesFile(const QString& name, QString* reason)
{
    if (!isSeriesNameSafe(name))
        return refuseWith(reason, QStringLiteral("\"%1\" is not a series name").arg(name));
    const QString path = seriesFilePath(name);
    QFile file;
    if (!SafeRead::openRegularFile(file, path) || file.size() > SafeRead::maxTextBytes)
        return refuseWith(reason, QStringLiteral("\"%1\" cannot be read").arg(path));
    qint64 lines = 0;
    QString why;
    const std::optional<ValueEstimate> estimate = estimateSeriesFile(file, &lines, &why);
    if (!estimate)
        return refuseWith(reason, QStringLiteral("\"%1\" cannot be read: %2").arg(path, why));
    if (const QString refusal = estimate->refusal(path, file.size()); !refusal.isEmpty())
        return refuseWith(reason, refusal);
    if (!file.seek(0))
        return refuseWith(reason, QStringLiteral("\"%1\" cannot be read").arg(path));
    SeriesRows rows;
    rows.values.reserve(lines);
    SeriesLines reader(file, maxSeriesValueBytes);
    // No more lines than were counted, should another program add to the file meanwhile.
    while (rows.values.size() < lines) {
        switch (reader.next()) {
        case SeriesLines::Read::Line:
            if (std::optional<QString> value = seriesLineValue(reader.line()))
                rows.values.append(std::move(*value));
            else
                return refuseWith(reason, notTextReason(path, rows.values.size(), reader.line()));
            break;
        case SeriesLines::Read::TooLong:
            rows.tooLong.append(int(rows.values.size()));
            rows.values.append(QString());
            break;
        case SeriesLines::Read::End:
            return rows;
        case SeriesLines::Read::Failed:
            return refuseWith(reason, QStringLiteral("\"%1\" cannot be read: %2").arg(path, reader.why()));
        }
    }
    return rows;
}

std::optional<SeriesHead> readSeriesHead(const QString& name)
{
    // A missing series is common (a design from elsewhere) and not worth a line in the log.
    if (!seriesExists(name))
        return std::nullopt;
    QFile file;
    if (!SafeRead::openRegularFile(file, seriesFilePath(name)) || file.size() > SafeRead::maxTextBytes)
        return std::nullopt;
    SeriesHead head;
    SeriesLines reader(file, maxSeriesValueBytes);
    for (int lines = 0; !head.holdsAValue; ++lines) {
        if (lines > maxBlankLinesBeforeValue) {
            head.cutShort
                = QStringLiteral("more than %1 empty lines come before its first value").arg(maxBlankLinesBeforeValue);
            return head;
        }
        if (reader.consumed() > maxSeriesHeadBytes) {
            head.cutShort = QStringLiteral("more than %1 of empty lines come before its first value")
                                .arg(sizeText(maxSeriesHeadBytes));
            return head;
        }
        switch (reader.next()) {
        case SeriesLines::Read::End:
            return head;
        case SeriesLines::Read::Failed:
            return std::nullopt;
        case SeriesLines::Read::TooLong:
            head.cutShort = QStringLiteral("line %1 is longer than a value can be (%2)")
                                .arg(lines + 1)
                                .arg(sizeText(maxSeriesValueBytes));
            return head;
        case SeriesLines::Read::Line:
            break;
        }
        const std::optional<QString> value = seriesLineValue(reader.line());
        if (!value)
            return std::nullopt;
        if (lines == 0)
            head.firstValue = *value;
        head.holdsAValue = !value->isEmpty();
    }
    return head;
}

QString firstSeriesValue(const QString& name)
{
    return readSeriesHead(name).value_or(SeriesHead()).firstValue;
}

bool writeSeriesFile(
    const QString& path, const QStringList& values, bool trimValues, QString* reason, const SeriesKept& kept)
{
    QString keptWhy;
    const auto fill = [&](QIODevice& file) {
        QByteArray line;
        auto keptRow = kept.rows.cbegin();
        for (qsizetype row = 0; row < values.size(); ++row) {
            if (keptRow != kept.rows.cend() && keptRow->first == row) {
                if (!kept.lines || !kept.lines->copyLine(keptRow->second, file, &keptWhy) || !file.putChar('\n'))
                    return false;
                ++keptRow;
                continue;
            }
            line = oneLine(trimValues ? Trim_Str(values.at(row)) : values.at(row)).toUtf8();
            line.append('\n');
            if (file.write(line) != line.size())
                return false;
        }
        return true;
    };
    QString why;
    if (!writeFileChecked(path, fill, &why)) {
        if (!keptWhy.isEmpty())
            why = keptWhy;
        Show_NSLog_Message(QStringLiteral("Cannot write \"%1\": %2").arg(path, why));
        if (reason)
            *reason = why;
        return false;
    }
    return true;
}

SeriesSaveResult saveSeries(const SeriesSaveRequest& request, QString* savedName, QString* reason)
{
    const QString name = cleanSeriesName(request.typedName);
    if (!isSeriesNameSafe(name)) {
        if (reason)
            *reason = unsafeSeriesNameReason;
        return SeriesSaveResult::Failed;
    }
    const QString& old = request.oldName;
    const auto boundToDesign = [&](const QString& series) { return request.inUse && request.inUse(series); };
    bool rename = false;
    if (seriesExists(name) && name != old) {
        // Replacing another series; the opened one keeps its file.
        if (boundToDesign(name))
            return SeriesSaveResult::InUse;
        if (!request.confirmReplace || !request.confirmReplace())
            return SeriesSaveResult::Declined;
    } else if (!old.isEmpty() && name != old && seriesExists(old)) {
        // A rename would leave a bound object without its series.
        if (boundToDesign(old))
            return SeriesSaveResult::RenameInUse;
        rename = true;
    }
    bool written = false;
    const auto write
        = [&] { written = writeSeriesFile(seriesFilePath(name), request.values, true, reason, request.kept); };
    if (request.runWriting)
        request.runWriting(write);
    else
        write();
    if (!written)
        return SeriesSaveResult::Failed;
    if (rename) {
        QFile::remove(seriesFilePath(old));
        setSeriesOrigin(name, seriesOrigin(old));
        setSeriesOrigin(old, QString());
    }
    if (savedName)
        *savedName = name;
    return SeriesSaveResult::Saved;
}

bool deleteSeries(const QString& name)
{
    if (!isSeriesNameSafe(name) || !QFile::remove(seriesFilePath(name)))
        return false;
    setSeriesOrigin(name, QString());
    return true;
}

namespace {

QString seriesOriginPath(const QString& name)
{
    const QString folder = QDir::cleanPath(Data_Folder_Path) + QStringLiteral(" Origins");
    return fileInFolder(folder, name + QLatin1Char('.') + batch_file_EXT);
}

constexpr qint64 maxOriginBytes = 64 * 1024;

} // namespace

QString seriesOrigin(const QString& name)
{
    QByteArray bytes;
    if (!isSeriesNameSafe(name) || !QFileInfo::exists(seriesOriginPath(name))
        || !SafeRead::readRegularFile(seriesOriginPath(name), maxOriginBytes, bytes))
        return QString();
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString folder = QString(decoder.decode(bytes)).trimmed();
    // Written by us as one full path; anything else is not ours to follow.
    return !decoder.hasError() && QDir::isAbsolutePath(folder) && !folder.contains(QLatin1Char('\n'))
        ? QDir::cleanPath(folder)
        : QString();
}

bool setSeriesOrigin(const QString& name, const QString& folder)
{
    if (!isSeriesNameSafe(name))
        return false;
    const QString path = seriesOriginPath(name);
    if (folder.isEmpty())
        return !QFileInfo::exists(path) || QFile::remove(path);
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    return writeFileChecked(path, QDir::cleanPath(QFileInfo(folder).absoluteFilePath()).toUtf8() + '\n');
}

bool exportSeriesWorkbook(const QString& path, const QStringList& values, QString* reason)
{
    SheetTable table;
    table.reserve(values.size() + 1);
    table.append(QStringList { QStringLiteral("Batch Value") });
    for (const QString& value : values)
        table.append(QStringList { value });
    if (SpreadsheetWriter::WriteWorkbook(path, table, false))
        return true;
    Show_NSLog_Message(SpreadsheetWriter::lastError());
    if (reason)
        *reason = SpreadsheetWriter::lastError();
    return false;
}

bool exportSeriesText(const QString& path, const QStringList& values, QString* reason, const SeriesKept& kept)
{
    return writeSeriesFile(path, values, false, reason, kept);
}

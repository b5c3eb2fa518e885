#include "data/SeriesStore.h"

#include "common/FileHelpers.h"
#include "common/Globals.h"
#include "common/Logging.h"
#include "common/MessageBoxes.h"
#include "common/StringHelpers.h"
#include "data/SpreadsheetWriter.h"
#include "data/ValueEstimate.h"
#include "platform/CheckedWrite.h"
#include "platform/SafeRead.h"
#include "platform/SizeText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

const QString batch_file_EXT = QStringLiteral("txt");

namespace {

// None for a file that is missing, not a plain file (a FIFO would block the read) or too big.
std::optional<QByteArray> readWholeFile(const QString& path)
{
    QByteArray bytes;
    if (!SafeRead::readRegularFile(path, SafeRead::maxTextBytes, bytes))
        return std::nullopt;
    return bytes;
}

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

QString seriesFilePath(const QString& name)
{
    return QDir(Data_Folder_Path).filePath(name + QLatin1Char('.') + batch_file_EXT);
}

bool seriesExists(const QString& name)
{
    return isSeriesNameSafe(name) && QFileInfo(seriesFilePath(name)).isFile();
}

QStringList seriesNames()
{
    return fileBaseNamesIn(Data_Folder_Path);
}

std::optional<QStringList> parseSeriesBytes(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
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

QStringList parseSeriesText(const QByteArray& bytes)
{
    return parseSeriesBytes(bytes).value_or(QStringList());
}

ValueEstimate estimateSeriesLines(const QByteArray& bytes)
{
    ValueEstimate estimate;
    if (bytes.isEmpty())
        return estimate;
    // Counted in one quick sweep, so that refusing even the largest file holds no window long.
    const qint64 lineEnds = std::count(bytes.cbegin(), bytes.cend(), '\n');
    const qint64 lines = bytes.endsWith('\n') ? lineEnds : lineEnds + 1;
    estimate.addMany(lines, bytes.size() - lineEnds);
    return estimate;
}

namespace {

// readSeriesFile, telling apart a file refused for its count.
std::optional<QStringList> readSeries(const QString& name, QString* reason, bool* tooMany)
{
    const auto refuse = [reason](const QString& why) -> std::optional<QStringList> {
        if (reason)
            *reason = why;
        return std::nullopt;
    };
    if (!isSeriesNameSafe(name))
        return refuse(QStringLiteral("\"%1\" is not a series name").arg(name));
    const QString path = seriesFilePath(name);
    const std::optional<QByteArray> bytes = readWholeFile(path);
    if (!bytes)
        return refuse(QStringLiteral("\"%1\" cannot be read").arg(path));
    if (const QString refusal = estimateSeriesLines(*bytes).refusal(path, bytes->size()); !refusal.isEmpty()) {
        if (tooMany)
            *tooMany = true;
        return refuse(refusal);
    }
    std::optional<QStringList> values = parseSeriesBytes(*bytes);
    if (!values)
        return refuse(QStringLiteral("\"%1\" is not UTF-8 text").arg(path));
    return values;
}

} // namespace

std::optional<QStringList> readSeriesFile(const QString& name, QString* reason)
{
    return readSeries(name, reason, nullptr);
}

QStringList readSeriesValues(const QString& name)
{
    QString reason;
    bool tooMany = false;
    std::optional<QStringList> values = readSeries(name, &reason, &tooMany);
    if (tooMany)
        Show_MessageBox(reason);
    return values.value_or(QStringList());
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
    qint64 headBytes = 0;
    for (int lines = 0; !head.holdsAValue && !file.atEnd(); ++lines) {
        if (lines > maxBlankLinesBeforeValue) {
            head.cutShort
                = QStringLiteral("more than %1 empty lines come before its first value").arg(maxBlankLinesBeforeValue);
            return head;
        }
        if (headBytes > maxSeriesHeadBytes) {
            head.cutShort = QStringLiteral("more than %1 of empty lines come before its first value")
                                .arg(sizeText(maxSeriesHeadBytes));
            return head;
        }
        // Room for the longest value and its line end; a longer line is read no further.
        const QByteArray line = file.readLine(maxSeriesValueBytes + 3);
        if (line.isEmpty())
            return std::nullopt; // a read error: atEnd was false
        headBytes += line.size();
        if (!line.endsWith('\n') && !file.atEnd()) {
            head.cutShort = QStringLiteral("line %1 is longer than a value can be (%2)")
                                .arg(lines + 1)
                                .arg(sizeText(maxSeriesValueBytes));
            return head;
        }
        const std::optional<QStringList> values = parseSeriesBytes(line);
        if (!values)
            return std::nullopt;
        const QString value = values->value(0);
        if (lines == 0)
            head.firstValue = value;
        head.holdsAValue = !value.isEmpty();
    }
    return head;
}

QString firstSeriesValue(const QString& name)
{
    return readSeriesHead(name).value_or(SeriesHead()).firstValue;
}

bool writeSeriesFile(const QString& path, const QStringList& values, bool trimValues, QString* reason)
{
    const auto fill = [&](QIODevice& file) {
        QByteArray line;
        for (const QString& value : values) {
            line = oneLine(trimValues ? Trim_Str(value) : value).toUtf8();
            line.append('\n');
            if (file.write(line) != line.size())
                return false;
        }
        return true;
    };
    QString why;
    if (!writeFileChecked(path, fill, &why)) {
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
    if (!isSeriesNameSafe(name))
        return SeriesSaveResult::Failed;
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
    if (!writeSeriesFile(seriesFilePath(name), request.values, true, reason))
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
    return QDir(folder).filePath(name + QLatin1Char('.') + batch_file_EXT);
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

bool exportSeriesText(const QString& path, const QStringList& values, QString* reason)
{
    return writeSeriesFile(path, values, false, reason);
}

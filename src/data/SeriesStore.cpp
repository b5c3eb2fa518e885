#include "data/SeriesStore.h"

#include "common/FileHelpers.h"
#include "common/Globals.h"
#include "common/Logging.h"
#include "common/StringHelpers.h"
#include "data/SpreadsheetWriter.h"
#include "platform/CheckedWrite.h"
#include "platform/SafeRead.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

const QString batch_file_EXT = QStringLiteral("txt");

namespace {

QByteArray readWholeFile(const QString& path)
{
    QByteArray bytes;
    SafeRead::readRegularFile(path, SafeRead::maxTextBytes, bytes);
    return bytes;
}

} // namespace

bool isSeriesNameSafe(const QString& name)
{
    return isListableFileName(name);
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

QStringList parseSeriesText(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return {};
    QStringList values;
    qsizetype start = text.startsWith(QChar(0xFEFF)) ? 1 : 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        const QString value = Trim_Str(text.mid(start, end - start));
        if (!value.isEmpty())
            values.append(value);
        start = end + 1;
    }
    return values;
}

QStringList readSeriesValues(const QString& name)
{
    if (!isSeriesNameSafe(name))
        return {};
    return parseSeriesText(readWholeFile(seriesFilePath(name)));
}

QString firstSeriesValue(const QString& name)
{
    if (!isSeriesNameSafe(name))
        return QString(QLatin1String(""));
    QFile file;
    if (!SafeRead::openRegularFile(file, seriesFilePath(name)))
        return QString(QLatin1String(""));
    QString line = QString::fromUtf8(file.readLine(64 * 1024));
    if (line.endsWith(QLatin1Char('\n')))
        line.chop(1);
    return line;
}

bool writeSeriesFile(const QString& path, const QStringList& values, bool skipBlank, QString* reason)
{
    const auto fill = [&](QIODevice& file) {
        QByteArray line;
        for (const QString& value : values) {
            const QString text = skipBlank ? Trim_Str(value) : value;
            if (skipBlank && text.isEmpty())
                continue;
            line = text.toUtf8();
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
            return SeriesSaveResult::InUse;
        rename = true;
    }
    if (!writeSeriesFile(seriesFilePath(name), request.values, true, reason))
        return SeriesSaveResult::Failed;
    if (rename)
        QFile::remove(seriesFilePath(old));
    if (savedName)
        *savedName = name;
    return SeriesSaveResult::Saved;
}

bool deleteSeries(const QString& name)
{
    return isSeriesNameSafe(name) && QFile::remove(seriesFilePath(name));
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

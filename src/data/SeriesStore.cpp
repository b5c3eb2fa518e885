#include "data/SeriesStore.h"

#include "common/FileHelpers.h"
#include "common/Globals.h"
#include "common/Logging.h"
#include "common/StringHelpers.h"
#include "data/SpreadsheetWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

const QString batch_file_EXT = QStringLiteral("txt");

namespace {

// Series files are small text files; a bigger file is not a series and is not read whole.
constexpr qint64 maxSeriesFileBytes = qint64(512) * 1024 * 1024;

QByteArray readWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxSeriesFileBytes)
        return {};
    return file.readAll();
}

} // namespace

bool isSeriesNameSafe(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
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
    QFile file(seriesFilePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return QString(QLatin1String(""));
    QString line = QString::fromUtf8(file.readLine(64 * 1024));
    if (line.endsWith(QLatin1Char('\n')))
        line.chop(1);
    return line;
}

bool writeSeriesFile(const QString& path, const QStringList& values, bool skipBlank)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        Show_NSLog_Message(file.errorString());
        return false;
    }
    QByteArray line;
    for (const QString& value : values) {
        const QString text = skipBlank ? Trim_Str(value) : value;
        if (skipBlank && text.isEmpty())
            continue;
        line = text.toUtf8();
        line.append('\n');
        file.write(line);
    }
    if (!file.commit()) {
        Show_NSLog_Message(file.errorString());
        return false;
    }
    return true;
}

SeriesSaveResult saveSeries(const SeriesSaveRequest& request, QString* savedName)
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
    if (!writeSeriesFile(seriesFilePath(name), request.values, true))
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

bool exportSeriesWorkbook(const QString& path, const QStringList& values, QString* error)
{
    SheetTable table;
    table.reserve(values.size() + 1);
    table.append(QStringList { QStringLiteral("Batch Value") });
    for (const QString& value : values)
        table.append(QStringList { value });
    if (SpreadsheetWriter::WriteWorkbook(path, table, false))
        return true;
    Show_NSLog_Message(SpreadsheetWriter::lastError());
    if (error)
        *error = SpreadsheetWriter::lastError();
    return false;
}

bool exportSeriesText(const QString& path, const QStringList& values)
{
    return writeSeriesFile(path, values, false);
}

#include "imports/SeriesWriting.h"

#include "common/StringHelpers.h"
#include "data/SeriesStore.h"
#include "imports/ImportHost.h"
#include "platform/DialogService.h"
#include "platform/SafeRead.h"

#include <QFile>

namespace {

const QString accessError = QStringLiteral("Error in file accessing.");

// The stored lines of a series exactly as they stand, for appending after them. refusal says
// why a file with more lines than can be read is not taken.
std::optional<QStringList> storedLines(const QString& path, QString& refusal)
{
    if (!QFile::exists(path))
        return QStringList();
    QByteArray bytes;
    if (!SafeRead::readRegularFile(path, SafeRead::maxTextBytes, bytes))
        return std::nullopt;
    refusal = estimateSeriesLines(bytes).refusal(path, bytes.size());
    if (!refusal.isEmpty())
        return std::nullopt;
    QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

QString seriesInUseMessage(const QString& name)
{
    return name
        + QStringLiteral("\nBatch processing Series name is already in use with another sequence. Please change "
                         "Batch Processing Series Name.");
}

bool writeImportedSeries(const QString& typedName, const QStringList& values, SeriesWriteMode mode,
    const ImportHost& host, const QString& originFolder)
{
    const QString name = cleanSeriesName(typedName);
    if (!isSeriesNameSafe(name)) {
        dialogs().showMessage(accessError);
        return false;
    }
    const QString path = seriesFilePath(name);
    QStringList written = values;
    if (mode == SeriesWriteMode::Append) {
        QString refusal;
        const std::optional<QStringList> lines = storedLines(path, refusal);
        if (!lines) {
            dialogs().showMessage(refusal.isEmpty() ? accessError : refusal);
            return false;
        }
        written = *lines + values;
    } else if (seriesExists(name)) {
        if (host.Check_Batch_File_In_Use_Validation(name)) {
            dialogs().showMessage(seriesInUseMessage(name));
            return false;
        }
        if (mode == SeriesWriteMode::New
            && !dialogs().askYesNoSafe(
                QStringLiteral("Batch Processing Series already exists. Do you want to replace it?")))
            return false;
    }
    QString reason;
    if (!writeSeriesFile(path, written, false, &reason)) {
        dialogs().showMessage(withReason(accessError, reason));
        return false;
    }
    setSeriesOrigin(name, originFolder);
    return true;
}

QStringList columnValues(const SheetTable& rows, int column, bool hasHeader)
{
    return rowByRowValues(rows, { column }, hasHeader);
}

QStringList rowByRowValues(const SheetTable& rows, const QList<int>& columns, bool hasHeader)
{
    QStringList values;
    for (qsizetype r = hasHeader ? 1 : 0; r < rows.size(); ++r)
        for (int column : columns)
            values.append(Trim_Str(rows.at(r).value(column)));
    return values;
}

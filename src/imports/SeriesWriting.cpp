#include "imports/SeriesWriting.h"

#include "common/StringHelpers.h"
#include "data/SeriesKeptLines.h"
#include "data/SeriesStore.h"
#include "imports/ImportHost.h"
#include "platform/DialogService.h"

#include <QFile>

namespace {

// The stored values of a series as every reader takes them, for appending after them, with its
// lines too long to be a value kept as they are; no values when there is no such series yet.
std::optional<EditedSeries> storedSeries(const QString& name, QString& refusal)
{
    if (!QFile::exists(seriesFilePath(name)))
        return EditedSeries();
    return openSeriesForEditing(name, &refusal);
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
        dialogs().showMessage(seriesAccessError(name, unsafeSeriesNameReason));
        return false;
    }
    const QString path = seriesFilePath(name);
    QStringList written = values;
    SeriesKept kept;
    if (mode == SeriesWriteMode::Append) {
        QString refusal;
        std::optional<EditedSeries> stored = storedSeries(name, refusal);
        if (!stored) {
            dialogs().showMessage(seriesAccessError(name, refusal));
            return false;
        }
        written = stored->rows.values + values;
        kept.lines = std::move(stored->keptLines);
        for (const int row : std::as_const(stored->rows.tooLong))
            kept.rows.append({ row, row });
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
    if (!writeSeriesFile(path, written, false, &reason, kept)) {
        dialogs().showMessage(seriesAccessError(name, reason));
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

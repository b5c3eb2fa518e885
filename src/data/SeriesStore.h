#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Series: named lists of values, one UTF-8 text file per series in Data_Folder_Path, one value
// per line. Nothing here touches a widget; the windows and the data binding build on it.

extern const QString batch_file_EXT; // "txt"

// A name is one listed file name inside the series folder (see isListableFileName).
bool isSeriesNameSafe(const QString& name);
// A typed name with reserved characters and white space stripped from both ends.
QString cleanSeriesName(const QString& typed);
// The file of a series: Data_Folder_Path/<name>.txt.
QString seriesFilePath(const QString& name);
bool seriesExists(const QString& name);

// The series names (every plain file, extension cut), sorted by name.
QStringList seriesNames();

// The values of series text as the editor and the viewer read it: split at line feeds, each
// line trimmed, empty lines skipped. A leading byte-order mark is ignored; text that is not
// valid UTF-8 gives no values.
QStringList parseSeriesText(const QByteArray& bytes);
// The values of a stored series; none when its file is missing or unreadable.
QStringList readSeriesValues(const QString& name);
// The text before the first line feed of a stored series, untrimmed; "" when there is none.
QString firstSeriesValue(const QString& name);

// Writes values one per line, each followed by "\n", whole or not at all: a temporary file in
// the target's folder renamed over it. With skipBlank, values are trimmed and empty ones left out.
// On failure reason gets why, as the system says it.
bool writeSeriesFile(const QString& path, const QStringList& values, bool skipBlank, QString* reason = nullptr);

// Saving the editor's values under a typed name, the series having been opened as oldName
// ("" for a new series).
enum class SeriesSaveResult
{
    Saved,
    Declined, // the user kept the other series
    InUse, // the series to rename or replace is bound to the design
    Failed // bad name or the file could not be written; every file is as it was
};
struct SeriesSaveRequest
{
    QString typedName;
    QString oldName;
    QStringList values;
    std::function<bool(const QString&)> inUse;
    std::function<bool()> confirmReplace; // asked before another existing series is replaced
};
SeriesSaveResult saveSeries(const SeriesSaveRequest& request, QString* savedName = nullptr, QString* reason = nullptr);

bool deleteSeries(const QString& name);

// Exports: a workbook with the title "Batch Value" above one value per row, or a text file
// in the series format.
bool exportSeriesWorkbook(const QString& path, const QStringList& values, QString* reason = nullptr);
bool exportSeriesText(const QString& path, const QStringList& values, QString* reason = nullptr);

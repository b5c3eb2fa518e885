#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class SeriesKeptLines;

// Series: named lists of values, one UTF-8 text file per series in Data_Folder_Path, one value
// per line. Nothing here touches a widget; the windows and the data binding build on it.

extern const QString batch_file_EXT; // "txt"

// A name is one file name inside the series folder (see isOneFileName).
bool isSeriesNameSafe(const QString& name);
// A typed name with reserved characters and white space stripped from both ends.
QString cleanSeriesName(const QString& typed);
// The message of a series that cannot be read or written: "Error in file accessing." with,
// under it, which series and what is wrong.
QString seriesAccessError(const QString& name, const QString& why);
// Why a typed series name is refused.
extern const QString unsafeSeriesNameReason;
// The file of a series: Data_Folder_Path/<name>.txt.
QString seriesFilePath(const QString& name);
bool seriesExists(const QString& name);

// The series names (every plain file, extension cut), sorted by name.
QStringList seriesNames();

// The one reading rule of series files, for the editor, the viewer and the batch alike (see
// SeriesLines): every line is a value, trimmed, and a blank line is an empty value that keeps the
// later values on their rows; only a final line end starts no line. Lines end at "\n", "\r\n" or a
// lone "\r"; the text is UTF-8, or UTF-16 when the file starts with that byte-order mark.

// A value is at most maxSeriesValueBytes of UTF-8 (room for a workbook cell's 32,767
// characters); the reads below keep no more of a line than that, so that a file of one huge line
// costs no more than a value.
constexpr qint64 maxSeriesValueBytes = 128 * 1024;
// The rows of a stored series as a run reads them, a line at a time: every line a row by the
// reading rule above, and a line longer than a value can be an empty row named in tooLong,
// passed over without being kept or decoded. None when the file is missing, not a plain file,
// too big, holds more values than are read from a file of its size (counted before any is
// made) or is not text (a line it keeps is not UTF-8 or holds a NUL character, say); reason,
// when given, says why.
struct SeriesRows
{
    QStringList values;
    QList<int> tooLong; // the rows (from 0) whose line is longer than a value can be, in order
};
std::optional<SeriesRows> readSeriesFile(const QString& name, QString* reason = nullptr);
// The start of a stored series, read line by line up to its first value that is not empty,
// so that showing the first card of a series of millions of lines reads a line or two: the
// first value and whether any value is not empty. Lines are read by the reading rule above;
// what it does not read is not checked. None when the file is missing, not a plain file, too
// big, or what it reads is judged not text as readSeriesFile judges it.
// The read is bounded, as it runs on the window's thread whenever the file changes: a line
// longer than a value can be, or a value only after maxBlankLinesBeforeValue blank lines or
// maxSeriesHeadBytes, gives no value, and cutShort says why.
constexpr int maxBlankLinesBeforeValue = 10000;
constexpr qint64 maxSeriesHeadBytes = 1024 * 1024;
struct SeriesHead
{
    QString firstValue;
    bool holdsAValue = false;
    QString cutShort; // why the read stopped before a value; "" when it did not
};
std::optional<SeriesHead> readSeriesHead(const QString& name);
// The first value of a stored series by that rule; "" when there is none.
QString firstSeriesValue(const QString& name);

// Rows of a value list that stand for lines too long to be a value, kept in the file they were
// read from (see SeriesKeptLines): each row with its line's number there, rows ascending.
struct SeriesKept
{
    std::shared_ptr<SeriesKeptLines> lines;
    QList<std::pair<int, qint64>> rows;
};

// Writes values one per line, each followed by "\n", whole or not at all: a temporary file in
// the target's folder renamed over it. Empty values are written as blank lines, and line
// breaks inside a value become spaces, so that every value stays on its own row. With
// trimValues, values are trimmed first. A kept row is written as its line was.
// On failure reason gets why, as the system says it.
bool writeSeriesFile(const QString& path, const QStringList& values, bool trimValues, QString* reason = nullptr,
    const SeriesKept& kept = {});

// Saving the editor's values under a typed name, the series having been opened as oldName
// ("" for a new series).
enum class SeriesSaveResult
{
    Saved,
    Declined, // the user kept the other series
    InUse, // the series to replace is bound to the design
    RenameInUse, // the series to rename is bound to the design
    Failed // bad name or the file could not be written; every file is as it was
};
struct SeriesSaveRequest
{
    QString typedName;
    QString oldName;
    QStringList values;
    std::function<bool(const QString&)> inUse;
    std::function<bool()> confirmReplace; // asked before another existing series is replaced
    SeriesKept kept; // the rows of values written as their lines were
    // Runs the writing of the file, the one step that a big series makes long (off the window's
    // thread, say); it runs in line when not given.
    std::function<void(const std::function<void()>&)> runWriting;
};
SeriesSaveResult saveSeries(const SeriesSaveRequest& request, QString* savedName = nullptr, QString* reason = nullptr);

bool deleteSeries(const QString& name);

// The folder of the workbook or text file a series was imported from, where the bare picture
// names among its values are looked for first. Kept beside the series folder, one small file per
// series, so that series files stay as every reader knows them. "" when the series has none.
QString seriesOrigin(const QString& name);
// Records it (an empty folder forgets it); deleting or renaming the series takes it along.
bool setSeriesOrigin(const QString& name, const QString& folder);

// Exports: a workbook with the title "Batch Value" above one value per row, or a text file
// in the series format. reason, when given, receives why the file was not written.
bool exportSeriesWorkbook(const QString& path, const QStringList& values, QString* reason = nullptr);
bool exportSeriesText(
    const QString& path, const QStringList& values, QString* reason = nullptr, const SeriesKept& kept = {});

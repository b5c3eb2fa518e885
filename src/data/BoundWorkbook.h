#pragma once

#include "data/Data_From_Excel.h"

#include <QString>
#include <QStringList>

#include <atomic>

// Whether the workbook a spreadsheet table was read from still holds what was read, and
// reading it again into the same columns.
namespace BoundWorkbook {

enum class State
{
    AsRead,
    Changed,
    Missing
};

struct Comparison
{
    State state = State::AsRead;
    QString identity; // the file's identity when compared
    FileDigest content; // what the file held, when its bytes had to be read to tell
};

// Compared with the identity taken when the rows were read, then, when that differs, with the
// content they were read from: a workbook touched, copied back or copied to another folder
// with the same bytes is as read. Rows that came with an older design file that knows no
// content are out of date when the workbook was changed after the design was written. A
// table that knows none of these counts as read. Reads the file's bytes only when the sizes
// agree, piece by piece; `stop` ends the reading, and a content it could not tell counts as
// changed. Any thread.
Comparison compare(const QString& path, const Data_From_Excel::Source& source, const std::atomic<bool>* stop = nullptr);

struct Reading
{
    Data_From_Excel table; // the columns as they were, holding the rows the workbook has now
    QStringList goneColumns; // titles of the columns the sheet no longer has (left empty)
    QString error; // why the workbook could not be read; the table is then the one given
    bool stopped = false; // `stop` was set: nothing was read, the table is the one given
};

// Reads the table's sheet again (found by its rows and column titles when the table does not
// know it)
// and fills each column from the sheet column of its title, or of its place when the sheet has
// no title row. `stop` ends the reading of the file's bytes. Any thread; says nothing to the user.
Reading readAgain(const QString& path, const Data_From_Excel& table, const std::atomic<bool>* stop = nullptr);

} // namespace BoundWorkbook

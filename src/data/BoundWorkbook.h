#pragma once

#include "data/Data_From_Excel.h"

#include <QString>
#include <QStringList>

// Whether the workbook a spreadsheet table was read from still holds what was read, and
// reading it again into the same columns.
namespace BoundWorkbook {

enum class State
{
    AsRead,
    Changed,
    Missing
};

// Compared with the identity taken when the rows were read; rows that came with a design file
// are out of date when the workbook was changed after the design was written. A table that
// knows neither counts as read.
State stateOf(const QString& path, const Data_From_Excel::Source& source);

struct Reading
{
    Data_From_Excel table; // the columns as they were, holding the rows the workbook has now
    QStringList goneColumns; // titles of the columns the sheet no longer has (left empty)
    QString error; // why the workbook could not be read; the table is then the one given
};

// Reads the table's sheet again (found by its rows and column titles when the table does not
// know it)
// and fills each column from the sheet column of its title, or of its place when the sheet has
// no title row. Any thread; says nothing to the user.
Reading readAgain(const QString& path, const Data_From_Excel& table);

} // namespace BoundWorkbook

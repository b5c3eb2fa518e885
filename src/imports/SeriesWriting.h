#pragma once

#include "data/SpreadsheetWriter.h"

#include <QList>
#include <QString>
#include <QStringList>

class ImportHost;

// How an import writes a named series.
enum class SeriesWriteMode
{
    New, // asks before replacing a series of that name
    Replace, // replaces the stored series without asking
    Append // adds the values after the stored series' lines
};

// Writes the values as the series of a typed name, whole or not at all. A series bound to the
// design is never replaced (the user is told); a bad name or a failed write says "Error in
// file accessing.". False when nothing was written. originFolder is the folder of the file the
// values came from ("" for typed values): bare picture names among them are looked for there.
bool writeImportedSeries(const QString& typedName, const QStringList& values, SeriesWriteMode mode,
    const ImportHost& host, const QString& originFolder);

// The in-use message of a series name.
QString seriesInUseMessage(const QString& name);

// The trimmed cells of one sheet column, row by row, the first row left out with hasHeader.
QStringList columnValues(const SheetTable& rows, int column, bool hasHeader);
// The trimmed cells of the chosen columns, row by row (a row's cells, then the next row's).
QStringList rowByRowValues(const SheetTable& rows, const QList<int>& columns, bool hasHeader);

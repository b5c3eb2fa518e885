#pragma once

#include "data/SpreadsheetWriter.h"
#include "platform/FileDigest.h"
#include "platform/PlistValue.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// The spreadsheet table that card objects may be bound to: its columns (the first shows
// the row number under "Extension", the others "Column1" to "ColumnN") and its rows. A row
// is a dictionary with "Extension" (the row number counted from 1) and one string per cell
// under "Column%d". The design file saves and restores both.
//
// Both lists are implicitly shared: a copy costs next to nothing and stays as it was while the
// original changes, so a batch job copies the table on the GUI thread and reads the copy on
// any number of workers.
class Data_From_Excel
{
public:
    struct Column
    {
        QString identifier;
        QString title;
        double width = 100.0;
        bool operator==(const Column&) const = default;
    };
    using Rows = QList<PlistValue>;

    Data_From_Excel();

    // The header titles of every column in order, the row-number column first.
    QStringList columnTitles() const;
    // Keeps the row-number column and rebuilds the others from titles 1 to n-1 (title 0
    // belongs to the row-number column). No titles leave the columns as they are.
    void rebuildColumnsFromTitles(const QStringList& titles);

    // The value of the first row in a column (0 is the row number); "" when there is none.
    QString Get_First_Value_Of_Excel_Binding(int column) const;

    // The cell of a row under a column's position (0 the row number); "" when absent.
    QString value(int row, int column) const;
    // Stores a cell; false for a row or column outside the table.
    bool setValue(int row, int column, const QString& text);

    // Appends a row numbered after the last: the first `count` texts, trimmed, under
    // "Column1" to "Column<count>" ("" for a text the list lacks).
    void Create_List_By_Array(const QStringList& cells, int count);

    // Replaces the table by the chosen sheet columns (ascending sheet indexes): their trimmed
    // first-row cells give the titles; the rows are every row, or all but the first with
    // hasHeader. A sheet without rows leaves the table as it was and returns false.
    bool replaceFromSheet(const SheetTable& sheet, const QList<int>& columns, bool hasHeader);

    // A read-only copy for other threads (cheap: the lists are shared until one changes).
    Data_From_Excel readOnlyCopy() const { return *this; }

    // Where the rows came from, so that a workbook changed since is noticed: its file identity
    // and content when they were read (or when the rows as read were kept for that content), the
    // sheet (from 1), whether the sheet's first row gave the titles and which sheet columns
    // became the table's. Rows that came with a design file know the content the design saved
    // them with; those of an older design file know only when the design was written. The
    // identity may be that of a changed file whose rows were kept as read; contentIdentity is
    // only ever one of a file known to hold the content, which a design saves beside it so
    // that opening needs no reading of an unchanged workbook.
    struct Source
    {
        QString identity;
        QDateTime designWritten;
        FileDigest content;
        int sheet = 0;
        bool hasHeader = true;
        QList<int> sheetColumns;
        QString contentIdentity;
    };

    QList<Column> ColList;
    Rows ListData;
    Source source;

private:
    // The keys of a row with n cells, shared by every row built here.
    PlistDict emptyRow(int cellCount) const;
};

// The one spreadsheet table (owned by the main window); null before it exists.
extern Data_From_Excel* Data_From_Excel_Window;
// Whether the design uses spreadsheet data, and the path of the imported spreadsheet.
extern bool Excel_Binding_Use;
extern QString Excel_Source_Path;

#pragma once

#include "platform/PlistValue.h"

#include <QList>
#include <QString>
#include <QStringList>

// The spreadsheet table that card objects may be bound to: its columns (the first shows
// the row number under "Extension", the others "Column1" to "ColumnN") and its rows. A row
// is a dictionary with "Extension" (the row number counted from 1) and one string per cell
// under "Column%d". The design file saves and restores both.
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

    Data_From_Excel();

    // The header titles of every column in order, the row-number column first.
    QStringList columnTitles() const;
    // Keeps the row-number column and rebuilds the others from titles 1 to n-1 (title 0
    // belongs to the row-number column). No titles leave the columns as they are.
    void rebuildColumnsFromTitles(const QStringList& titles);

    // The value of the first row in a column (0 is the row number); "" when there is none.
    QString Get_First_Value_Of_Excel_Binding(int column) const;

    QList<Column> ColList;
    PlistArray ListData;
};

// The one spreadsheet table (owned by the main window); null before it exists.
extern Data_From_Excel* Data_From_Excel_Window;
// Whether the design uses spreadsheet data, and the path of the imported spreadsheet.
extern bool Excel_Binding_Use;
extern QString Excel_Source_Path;

#pragma once

#include "data/Data_From_Excel.h"

#include <QString>

// The spreadsheet table a design takes its rows from, with the workbook's path and whether the
// design uses it: what importing or reading a workbook replaces, and what Undo or Cancel gives
// back. Keeping one costs next to nothing: the table's lists are shared.
struct WorkbookBinding
{
    Data_From_Excel table; // with where its rows came from, which later checks compare against
    QString path;
    bool inUse = false;

    // The design's binding as it stands.
    static WorkbookBinding current();
    // Makes this the design's binding.
    void restore() const;
    // The same table (by its lists: rows read again are other rows, even with equal cells),
    // path and use.
    bool isSameAs(const WorkbookBinding& other) const;
};

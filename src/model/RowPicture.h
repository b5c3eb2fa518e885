#pragma once

#include <QString>

// Where a data row's picture value was looked for, and whether a file is there.
struct RowPictureLookup
{
    QString path; // the file found, or the place the person would expect it ("" for no value)
    bool found = false;
};

// Finds the picture file a row's value names. A full path (or "~/…") is taken as it stands,
// a design's path into another installation's Resources folder as in ours. Any other value
// names a file beside the source the row came from (a workbook's or text file's folder, given
// as besideFolder), then in the resource folder; "photos/m001.png" there is as good as its full
// path. Not found, path is the file beside the source (the resource folder's when there is no
// source folder).
RowPictureLookup findRowPicture(const QString& value, const QString& besideFolder);

// The folder that holds a workbook, where its rows' bare picture names are looked for; "" for
// no workbook.
QString workbookFolder(const QString& workbookPath);

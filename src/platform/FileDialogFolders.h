#pragma once

#include <QString>

// Where file choosers start: in the folder last used for the same kind of file (the same
// set of extensions in the filter), or the first time in the user's Pictures folder for
// pictures and Documents folder for anything else; never in the working folder.
// A filter is Qt's "Description (*.ext *.ext2)" form; "" stands for folder choosers.
namespace FileDialogFolders {

// The folder (or file path) to open the chooser at. A caller's absolute path is kept; a
// bare file name is put into the start folder.
QString startAt(const QString& filter, const QString& requested);

// Remembers where the user chose: a file's folder, or the chosen folder itself when the
// filter is "". An empty choice (cancelled) changes nothing.
void remember(const QString& filter, const QString& chosen);

} // namespace FileDialogFolders

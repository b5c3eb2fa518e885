#pragma once

#include <QString>
#include <QStringList>

// The names of the plain files in folder, extension cut, sorted by name; none for no folder.
QStringList fileBaseNamesIn(const QString& folder);
// Removes the file or folder (with its contents) at path; failures are ignored.
void Delete_File(const QString& path);
// Creates the missing work folders under Resource_Path, with intermediate folders and the
// permissions 0777 less the user's umask; existing folders are left alone, failures skipped.
void Check_Path_And_Create_Files();
// Opens Resources/Help.pdf with the desktop's viewer, or says that it is missing.
void Open_Help_File();
// Whether name can stand as one file name in a folder: not empty, not "." or "..", no "/" and
// no control characters (a NUL would cut the name short, a line break splits it in listings).
bool isOneFileName(const QString& name);

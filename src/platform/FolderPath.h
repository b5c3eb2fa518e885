#pragma once

#include <QString>

// A relative path taken from a folder as the system takes it: each ".." leaves the folder a
// link leads to, not the link's own name, so a design opened through a linked folder finds
// what lies beside its real folder. A path climbing past the root stays at the root
// ("/x.xlsx"). An absolute path is returned as it is.
QString pathFromFolder(const QString& folder, const QString& path);
// A full path as the system takes it, by the same rule: only a path with ".." in it can name
// another file than its text cleaned of "." and doubled slashes, and only it is looked up.
QString systemPath(const QString& absolutePath);
// Whether a path has a ".." among its parts.
bool climbsUp(const QString& path);
// A name inside a folder. Not QDir::filePath: it takes a name starting with ":" for a path into
// the program's own resources, and a series, template or card may be named so.
QString fileInFolder(const QString& folder, const QString& name);

#pragma once

#include <QString>

// A picture path stored in a design, looked up for loading. Designs made on another
// installation hold absolute paths into that installation's Resources folder; when such a
// path no longer exists, the same file under our Resource_Path is used if it is there.
// A relative path names a file inside Resource_Path ("" when it would step outside).
// The stored value itself is never changed: callers keep it and only load from the result.
QString Resolve_Stored_Picture_Path(const QString& storedPath);

// A picture path as a design stores it: one inside Resource_Path relative to it, so that the
// design names each user's own copy wherever it is opened; any other path unchanged.
QString Stored_Picture_Path(const QString& path);
// A stored path as an object holds it again: a relative one that names a file in
// Resource_Path is that file's full path, as when the object was made; any other as stored.
QString Loaded_Picture_Path(const QString& storedPath);

#pragma once

#include <QString>

// A picture path stored in a design, looked up for loading. Designs made on another
// installation hold absolute paths into that installation's Resources folder; when such a
// path no longer exists, the same file under our Resource_Path is used if it is there.
// A relative path names a file inside Resource_Path ("" when it would step outside).
// The stored value itself is never changed: callers keep it and only load from the result.
QString Resolve_Stored_Picture_Path(const QString& storedPath);

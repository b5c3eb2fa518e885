#pragma once

#include <QString>

// What tells one state of a file from another, so that a cache reads a changed or replaced
// file afresh: size, modification and change times, device and inode. Size and modification
// time alone miss a file overwritten and given its old time back (touch -r, rsync -t, a copy
// onto a FAT stick's 2-second times) or another file moved over it: the device and inode tell a
// different file, and the change time, which no tool can set back, tells a rewritten one.
// Empty when the file cannot be looked up.
QString fileIdentity(const QString& path);
// The same of a file held open, whatever name it has now, or none.
QString openFileIdentity(int descriptor);
// Whether the file held open still is as `identity` was taken from it. Its change time does not
// count: renaming it, or renaming another file over it, changes that but none of its bytes,
// while writing to it changes its modification time.
bool openFileUnchanged(int descriptor, const QString& identity);

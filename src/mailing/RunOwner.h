#pragma once

#include <QString>

// Which copy of the program wrote a mark in the record of mails sent: "host pid start", the
// start being the process's start time in clock ticks after boot (/proc/PID/stat), so that a
// process id used again by a later program is not taken for the copy that wrote the mark.
QString thisProcessOwner();
// The owner of the process pid of this computer as it runs now; "" when it is not running.
QString processOwner(qint64 pid);
// Whether the copy named by owner may still run: false only when it is of this computer and
// its process is gone or another program's. Another computer's processes cannot be looked at.
bool ownerMayBeRunning(const QString& owner);

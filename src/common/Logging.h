#pragma once

#include <QString>

// Writes one line to the program's log (standard error, with a time stamp and the thread).
// A null or empty message writes nothing.
void Show_NSLog_Message(const QString& message);

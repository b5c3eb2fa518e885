#pragma once

#include <QLoggingCategory>
#include <QString>

// Writes one line to the program's log (standard error, with a time stamp and the thread).
// A null or empty message writes nothing. For problems worth a user's or a supporter's eye.
void Show_NSLog_Message(const QString& message);

// The category "galavite", whose debug lines only help a developer follow the program: off
// unless turned on, as QT_LOGGING_RULES="galavite.debug=true".
Q_DECLARE_LOGGING_CATEGORY(galaviteDebug)

// The same line as Show_NSLog_Message, written only while galaviteDebug is on.
void Show_Debug_Message(const QString& message);

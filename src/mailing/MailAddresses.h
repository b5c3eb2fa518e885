#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The address test of the mail windows: trimmed, at least 6 characters, exactly one "@"
// and at least one ".".
bool isValidEmail(const QString& text);

// True when the text holds a line break or another control character: such a text must not
// reach a mail header.
bool hasControlCharacters(const QString& text);

// The recipients of a comma-separated list, each trimmed, in order; empty pieces are skipped.
// None when any other piece fails the address test or holds a control character, or when no
// recipient is left.
std::optional<QStringList> parseRecipients(const QString& list);

#pragma once

#include <QString>

// True when a recipient is written so plainly that the mail script is sure to write it into a
// To: header naming that address alone: an ASCII address of dot-separated words of letters,
// digits and ' _ % + - before its "@" and of letters, digits and hyphens after it, alone or in
// angle brackets after a name of plain words (letters, digits, ' _ + -; at most 64 to a word)
// and a space. address is the one mailboxAddress() reads from it. The script need not be
// asked about such a recipient; anything else is left to it.
bool isPlainRecipient(const QString& recipient, const QString& address);

#pragma once

#include <QString>

// True when a recipient is written in a form the mail script is sure to write into a To:
// header naming that address alone, as it writes and reads headers itself: an ASCII address of
// dot-separated words of letters, digits and ' _ % + - before its "@" and of letters, digits and
// hyphens after it, alone or in angle brackets after a name and a space. The name is words
// (letters of any script, the other characters of mail's atoms, dots), quoted strings (anything
// but control characters, "\" escaping the next) and encoded words (encodedWordText), spaces
// apart. Decoded, it holds no word over 64 characters and nothing that reads as an encoded word,
// and when it must be quoted or encoded, it fits on the header's first line. address is the one
// mailboxAddress() reads from the recipient. The script need not be asked about such a
// recipient; anything else is left to it.
bool isPlainRecipient(const QString& recipient, const QString& address);

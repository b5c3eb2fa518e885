#pragma once

#include <QString>

// String helpers. Lengths and indexes count UTF-16 code units, as QString does.

// Whitespace and newlines removed from both ends, then control characters from both ends.
QString Trim_Str(const QString& text);
// The reserved file-name characters / \ ? % * | " < > stripped from both ends, then Trim_Str.
QString Remove_Reserve_Char_In_File_Name(const QString& text);
QString Replace_Char_For_valid(const QString& text);
// Every occurrence of target replaced (literal, case-sensitive); an empty target changes nothing.
QString Replace_char_in_string(const QString& text, const QString& target, const QString& replacement);
// False for an empty sub-string.
bool Find_Str(const QString& text, const QString& sub);
// False when either argument is null or the sub-string is empty.
bool Find_Str_Case_Insensitive(const QString& text, const QString& sub);
QString Left_Str_substringToIndex(const QString& text, int count);
QString Right_Str_substringFromIndex(const QString& text, int count);
QString Read_Str_FromIndex(const QString& text, int index);
QString Read_Str_Upto_Index(const QString& text, int index);

// Upper case for the first letter of every word (words end at white space), lower case for
// the rest.
QString capitalisedWords(const QString& text);

// The text on one line (each run of white space one space), cut after characters with an
// ellipsis when longer: how a message quotes a value that may be pages long.
QString oneLineCut(const QString& text, qsizetype characters);

// The line (from 1) of the character at `at`, which is not a line end; lines end at CR LF, CR
// or LF, as every reader of values splits them.
qint64 lineNumberAt(QStringView text, qsizetype at);

// The program's message with the reason a file operation failed on the next line; the message
// alone when there is no reason.
QString withReason(const QString& message, const QString& reason);
// A reader's reason, given as a clause ("the file ..."), as a sentence of its own.
QString asSentence(const QString& reason);

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Text brought in from outside files for series values. Nothing here touches a widget.

// The text of a file's bytes: a byte-order mark decides (UTF-8, UTF-16 or UTF-32, either byte
// order); otherwise strict UTF-8; otherwise Windows-1252. None for text holding NUL characters
// (a binary file, or UTF-16 without its mark): nulLine, when given, is then the line (from 1) of
// the first.
std::optional<QString> decodeImportText(const QByteArray& bytes, qint64* nulLine = nullptr);

// The values of CSV text: records end at CR LF, CR or LF; cells are split at commas, double
// quotes as RFC 4180 has them (a quoted cell may hold commas, quotes and line breaks); every
// cell is trimmed and an empty one is an empty value, so later values keep their rows; values
// come row by row. A final record end starts no record.
QStringList csvValues(const QString& text);

// The values of plain text: one per line (lines end at CR LF, CR or LF), trimmed; a blank line
// is an empty value. A final line end starts no line.
QStringList lineValues(const QString& text);

struct TextFileValues
{
    bool read = false; // false: the file could not be read; message says why
    QStringList values;
    QString message;
};
// The values of a text file by its extension in any letter case: "rtf" RTF, "csv" CSV, any
// other plain text. Values are kept as they stand, backslashes and braces included. A file whose
// values would take far more memory than its size honestly needs is refused before they are
// made, the message naming the file and the count; one whose text holds a NUL character, which
// no value holds, is refused naming the file and the line, as the series reader refuses it.
TextFileValues readTextFileValues(const QString& path);

// The image files directly in a folder (no sub-folders), sorted by name, as full paths: files
// whose extension in any case is jpg, jpeg, jpe, jfif, gif, bmp, png, tif or tiff.
QStringList imageFilesInFolder(const QString& folder);

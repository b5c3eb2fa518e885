#pragma once

#include <QString>

// The longest text a workbook cell may hold; a longer one means a damaged or hostile file.
constexpr qsizetype maxCellCharacters = 32767;
// Raw bytes that can decode to at most maxCellCharacters: each character may be written as a
// seven-byte escape "_xHHHH_". Checked while the text arrives, before it is built.
constexpr size_t maxCellTextBytes = size_t(maxCellCharacters) * 7;

// Workbook texts carry characters that XML cannot hold as "_xHHHH_" (a UTF-16 unit in hex);
// a literal "_xHHHH_" is written with its underscore escaped as "_x005F_".
QString decodeCellText(const QString& text);
// The same for a text as it lies in the file, looked over for escapes before it is converted.
QString cellTextFromUtf8(const char* utf8, qsizetype size);
QString encodeCellText(const QString& text);

#pragma once

#include <QString>
#include <QStringView>

// Column letters of A1-style cell references. Columns run from A (1) to XFD (16384), the
// widest sheet a workbook may have.
constexpr int maxSheetColumns = 16384;
// Rows run from 1 to 1048576.
constexpr int maxSheetRows = 1048576;

// The column letters at the start of a reference ("AB" of "AB12").
QStringView Get_Column_Char_Str(QStringView reference);

// The value of column letters: with base 64 the column number from 1 (A = 1, ZZ = 702,
// AAA = 703), with base 65 the index from 0. -1 when the letters are empty, not A to Z
// (either case), or name a column beyond the widest sheet.
int Get_Col_index(QStringView letters, int base);

// The letters of a column number from 1 ("A", "Z", "AA", "ZZ", "AAA"); "" below 1.
QString ColumnNumber_To_Name(int number);

#pragma once

#include <QString>

// Tells apart the workbooks that are no zip archive but still come from a spreadsheet program:
// the older binary format (.xls) and a password-protected workbook, which is kept in the same
// compound-file container with its real contents encrypted.
namespace OlderWorkbook {

enum class Kind
{
    NotCompoundFile,
    BinaryWorkbook, // .xls
    EncryptedWorkbook, // a compound file holding an "EncryptedPackage" stream
};

Kind kindOf(const QString& path);
// What the person is to do with such a file; "" for NotCompoundFile.
QString refusal(Kind kind);

} // namespace OlderWorkbook

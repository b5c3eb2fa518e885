#pragma once

#include <QString>

// Tells apart the workbooks that are no zip archive but still come from a spreadsheet program:
// the older binary format (.xls) and a password-protected workbook, which is kept in the same
// compound-file container with its real contents encrypted; and that container holding another
// program's document.
namespace OlderWorkbook {

enum class Kind
{
    NotCompoundFile,
    BinaryWorkbook, // .xls
    EncryptedWorkbook, // a compound file holding an "EncryptedPackage" stream
    OtherDocument, // a compound file holding no workbook: another program's document
};

Kind kindOf(const QString& path);
// What the file at path is and what the person is to do with it; "" for NotCompoundFile.
QString refusal(Kind kind, const QString& path);

} // namespace OlderWorkbook

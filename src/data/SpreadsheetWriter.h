#pragma once

#include "data/CellStyles.h"
#include "data/WorkbookMemory.h"
#include "data/XmlStream.h"
#include "data/ZipReader.h"

#include <pugixml.hpp>

#include <atomic>
#include <functional>
#include <memory>

#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;

// A table of texts: rows of cells.
using SheetTable = QList<QStringList>;

// The file an open workbook's rows were read from, to be compared with whatever later lies at
// its path.
struct WorkbookFile
{
    QString identity; // the file's when it was opened
    FileDigest content; // the bytes of that very file
    QString changed; // why its rows are not to be taken: it was changed while open; "" when not
};

// 1-based number of the worksheet that the reads take: the workbook's n-th sheet.
extern int Excel_Sheet_Number;
// Column count of the current sheet; every row of every read has this many cells.
extern int Excel_Sheet_Columns;

// Reads and writes xlsx workbooks through one program-wide instance. The workbook being read
// stays open and its parts are parsed straight from the archive, nothing unpacked; the writer
// builds its workbooks in the work folder "ziptmp" (private to this process) from the shipped
// "Template.xlsx". Main thread only.
class WorksheetReader;

class SpreadsheetWriter
{
public:
    // Opening (only_col true): opens the workbook and reads its shared strings; a workbook that
    // cannot be opened leaves in lastError() the whole sentence for the user, who is told by the
    // caller (opening runs on a worker, which shows nothing). Returns no rows. Reading
    // (only_col false): every row of sheet Excel_Sheet_Number of the open workbook; the path is
    // not used.
    static SheetTable ReadWorkbook(const QString& path, bool only_col);
    // The opening of ReadWorkbook: what went wrong, each as the user would be told it; nothing
    // when the workbook opened whole.
    static QStringList openWorkbook(const QString& path);
    // At most one row: the titles of sheet Excel_Sheet_Number, "Untitled Column %d" for an
    // empty cell. Sets Excel_Sheet_Columns from the sheet.
    static SheetTable ReadData_only_column();
    // Closes the open workbook and frees what was read from it: its strings, styles and table.
    // The import windows call it when they close, so that a large workbook's memory returns.
    static void Release_Data();
    // The names of the open workbook's sheets, in the workbook's order; none, with the reason
    // in lastError(), when the workbook's list of sheets cannot be read.
    static QStringList Read_Sheet_Name();
    // The file the open workbook is read from, its bytes read to the end from that open file:
    // another file renamed over its path meanwhile changes nothing. Called after its rows were
    // read, so that a change made in the file while they were read is told. `stop` ends the
    // reading, leaving the content unknown.
    static WorkbookFile openWorkbookFile(const std::atomic<bool>* stop = nullptr);

    // Writes the table as a workbook at path, replacing any file there only when the whole
    // workbook was written. False when it was not (see lastError()).
    static bool WriteWorkbook(const QString& path, const SheetTable& table, bool hasTitleRow);

    // Why the last operation failed; "" after a success.
    static QString lastError();
    // What a read fails with when the workbook was changed while it was open.
    static QString changedWhileReadMessage();
    // The message of a read that failed for that reason: "The workbook cannot be read: ..."; the
    // change while it was read is a message of its own.
    static QString cannotReadMessage(const QString& reason);
    // The work folder; Delete_Excel_File_Temp_Folder removes it before a workbook is browsed.
    static QString workFolder();

    static SpreadsheetWriter& instance();

    const QStringList& sharedStrings() const { return sharedStrings_; }
    const CellStyles& styles() const { return styles_; }

    // Parts are named as in the archive ("xl/worksheets/sheet1.xml").
    // Replaces sharedStrings with those of the open workbook's part.
    bool ReadSharedStrings(const QString& partName);
    // Replaces the cell styles with those of the open workbook's part.
    bool ReadStyles(const QString& partName);
    // Replaces data with every row of the open workbook's worksheet part.
    bool ReadData(const QString& partName);
    // The name of the n-th sheet's part, found through the workbook and its relationships.
    QString sheetPartPath(int number) const;
    // Whether the open workbook counts dates from 1904.
    bool usesDate1904() const;

    // Writers of the two parts the workbook's content comes from.
    bool WriteWorksheetData(const QString& partPath);
    bool WriteSharedStringsXML(const QString& partPath);

private:
    SpreadsheetWriter();
    bool fail(const QString& message);
    // A read's failure: a workbook changed since it was opened fails by that change, which
    // leaves its parts damaged or cut short, whatever the reader found wrong.
    bool failReading(const QString& message);
    // Writes one part of the work folder through fill; false with the reason kept.
    bool writePartFile(const QString& partPath, const std::function<bool(QIODevice&)>& fill);
    // Clears the table and opens a sheet part for reading; null (with the reason kept) on failure.
    std::unique_ptr<WorksheetReader> startSheetRead(const QString& partName);
    bool readTitles(const QString& partName);
    // Why a sheet is refused when the number formats its cells use would take too much memory.
    QString formatsTooLargeMessage(const QString& partName) const;
    // A small part of the open workbook whole; false with the reason when it is missing or
    // cannot be read.
    bool readSmallPart(const QString& partName, QByteArray& bytes, QString& error) const;
    // Loads a small part of the open workbook as a document; false (logged, and said in *why
    // when given) when it cannot.
    bool loadWorkbookPart(const QString& partName, pugi::xml_document& document, QString* why = nullptr) const;
    // The bytes of an existing part of the open workbook, inflated as the parser asks for them.
    XmlStream::Source partSource(const ZipReader::Entry& entry, const QString& partName) const;
    QString partTarget(const QString& relationshipType, const QString& relationshipId) const;
    bool packWorkFolder(const QString& path);

    QString tmpDir_;
    // The workbook being read; null until one opened.
    std::unique_ptr<ZipReader> archive_;
    SheetTable data_;
    QStringList sharedStrings_;
    // What the open workbook's strings and table may take, and what its strings take.
    WorkbookMemory memory_;
    qint64 sharedStringsBytes_ = 0;
    bool date1904_ = false;
    CellStyles styles_;
    // Why the open workbook's styles could not be read: its sheets are not read either, since
    // their numbers would show wrong.
    QString stylesFailure_;
    QString lastError_;
};

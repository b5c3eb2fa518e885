#include "data/SpreadsheetWriter.h"

#include "common/FileHelpers.h"
#include "common/MessageBoxes.h"
#include "data/CellReference.h"
#include "data/SSZipArchive.h"
#include "data/WorkbookXml.h"
#include "data/WorksheetReader.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

namespace {

// What the table costs in memory, so that a few bytes of XML per row or cell, packed a thousand
// to one, are stopped long before they make a table of gigabytes.
constexpr qint64 bytesPerRow = 40; // the row's list and its entry in the table
constexpr qint64 bytesPerCell = sizeof(QString);

// "xl/worksheets/sheet1.xml" for messages.
QString partName(const QString& tmpDir, const QString& partPath)
{
    return QDir(tmpDir).relativeFilePath(partPath);
}

void fill(QStringList& row, const WorksheetReader::Row& cells)
{
    for (const WorksheetReader::Cell& cell : cells) {
        if (cell.column >= row.size())
            row.resize(cell.column + 1);
        row[cell.column] = cell.value;
    }
}

int widest(const WorksheetReader::Row& cells)
{
    int columns = 0;
    for (const WorksheetReader::Cell& cell : cells)
        columns = std::max(columns, cell.column + 1);
    return columns;
}

// The memory a row adds: its cells, and the texts it holds that are not shared strings.
qint64 rowBytes(int columns, const WorksheetReader::Row& cells)
{
    qint64 bytes = bytesPerRow + qint64(std::max(columns, widest(cells))) * bytesPerCell;
    for (const WorksheetReader::Cell& cell : cells) {
        if (!cell.shared)
            bytes += WorkbookMemory::textBytes(cell.value.size());
    }
    return bytes;
}

} // namespace

SheetTable SpreadsheetWriter::ReadWorkbook(const QString& path, bool only_col)
{
    SpreadsheetWriter& self = instance();
    if (!only_col) {
        self.ReadData(self.sheetPartPath(Excel_Sheet_Number));
        return self.data_;
    }
    Release_Data();
    Excel_Sheet_Columns = 1;
    self.lastError_.clear();
    self.sharedStrings_.clear();
    self.sharedStringsBytes_ = 0;
    self.memory_ = WorkbookMemory::forArchive(QFileInfo(path).size());
    if (self.tmpDir_.isEmpty()) {
        self.fail(QStringLiteral("The workbook cannot be opened: there is no temporary folder."));
        Show_MessageBox_No_Thread(self.lastError_);
        return self.data_;
    }
    // Parts left by an earlier workbook would be read as this one's.
    Delete_File(self.tmpDir_);
    ZipError error;
    if (!SSZipArchive::unzipFileAtPath(path, self.tmpDir_, true, QString(), &error)) {
        // No half-unpacked parts may be offered as sheets afterwards.
        Delete_File(self.tmpDir_);
        self.fail(QStringLiteral("The workbook cannot be opened: %1.").arg(error.message));
        Show_MessageBox_No_Thread(self.lastError_);
        return self.data_;
    }
    self.date1904_ = self.usesDate1904();
    QString stringsPath = self.partTarget(QStringLiteral("/sharedStrings"), QString());
    if (stringsPath.isEmpty())
        stringsPath = self.tmpDir_ + QStringLiteral("/xl/sharedStrings.xml");
    if (QFileInfo::exists(stringsPath) && !self.ReadSharedStrings(stringsPath))
        Show_MessageBox_No_Thread(QStringLiteral("The workbook cannot be read: %1.").arg(self.lastError_));
    return self.data_;
}

bool SpreadsheetWriter::ReadSharedStrings(const QString& partPath)
{
    lastError_.clear();
    QString error;
    if (!readSharedStringsPart(
            partPath, partName(tmpDir_, partPath), memory_, sharedStrings_, sharedStringsBytes_, error))
        return fail(error);
    return true;
}

SheetTable SpreadsheetWriter::ReadData_only_column()
{
    SpreadsheetWriter& self = instance();
    self.readTitles(self.sheetPartPath(Excel_Sheet_Number));
    return self.data_;
}

std::unique_ptr<WorksheetReader> SpreadsheetWriter::startSheetRead(const QString& partPath)
{
    data_.clear();
    lastError_.clear();
    if (tmpDir_.isEmpty()) {
        fail(QStringLiteral("there is no temporary folder"));
        return nullptr;
    }
    auto reader = std::make_unique<WorksheetReader>(partPath, partName(tmpDir_, partPath), sharedStrings_);
    reader->setDate1904(date1904_);
    if (!reader->open()) {
        fail(reader->errorString());
        return nullptr;
    }
    return reader;
}

bool SpreadsheetWriter::readTitles(const QString& partPath)
{
    const std::unique_ptr<WorksheetReader> sheet = startSheetRead(partPath);
    if (!sheet)
        return false;
    WorksheetReader& reader = *sheet;
    // The first row alone: walking the sheet for its widest row doubles the time of an import,
    // and the full read widens the table for a later, wider row anyway.
    WorksheetReader::Row firstRow;
    bool hasRow = false;
    const bool ok = reader.readRows([&](const WorksheetReader::Row& cells) {
        hasRow = true;
        firstRow = cells;
        return false;
    });
    if (!ok)
        return fail(reader.errorString());
    const int columns = std::max(reader.dimensionColumns(), widest(firstRow));
    if (columns > 0)
        Excel_Sheet_Columns = columns;
    if (!hasRow)
        return true;
    QStringList titles;
    titles.reserve(Excel_Sheet_Columns);
    for (int column = 1; column <= Excel_Sheet_Columns; ++column)
        titles.append(QStringLiteral("Untitled Column %1").arg(column));
    fill(titles, firstRow);
    data_.append(titles);
    return true;
}

bool SpreadsheetWriter::ReadData(const QString& partPath)
{
    const std::unique_ptr<WorksheetReader> sheet = startSheetRead(partPath);
    if (!sheet)
        return false;
    WorksheetReader& reader = *sheet;

    // A cell beyond the known count widens the table rather than being lost.
    int columns = std::clamp(Excel_Sheet_Columns, 0, maxSheetColumns);
    const QStringList emptyRow = [columns] {
        QStringList row;
        row.resize(columns);
        return row;
    }();
    bool tooLarge = false;
    // The shared strings stay in memory beside the table.
    qint64 bytes = sharedStringsBytes_;
    const bool ok = reader.readRows([&](const WorksheetReader::Row& cells) {
        bytes += rowBytes(columns, cells);
        if (bytes > memory_.limit) {
            tooLarge = true;
            return false;
        }
        QStringList row = emptyRow;
        fill(row, cells);
        columns = std::max(columns, int(row.size()));
        data_.append(std::move(row));
        return true;
    });
    if (tooLarge) {
        data_ = SheetTable();
        return fail(QStringLiteral("%1 is too large to read: %2").arg(partName(tmpDir_, partPath), memory_.reason));
    }
    if (!ok || !reader.finish()) {
        data_.clear();
        return fail(reader.errorString());
    }
    for (QStringList& row : data_) {
        if (row.size() < columns)
            row.resize(columns);
    }
    if (columns > Excel_Sheet_Columns)
        Excel_Sheet_Columns = columns;
    return true;
}

#include "data/SpreadsheetWriter.h"

#include "data/CellReference.h"
#include "data/OlderWorkbook.h"
#include "data/ReadAhead.h"
#include "data/SSZipArchive.h"
#include "data/WorkbookXml.h"
#include "data/WorksheetReader.h"
#include "data/ZipEntryStream.h"

#include <QFileInfo>

#include <memory>

namespace {

// What the table costs in memory, so that a few bytes of XML per row or cell, packed a thousand
// to one, are stopped long before they make a table of gigabytes.
constexpr qint64 bytesPerRow = 40; // the row's list and its entry in the table
constexpr qint64 bytesPerCell = sizeof(QString);

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
    // The caller tells the user: opening runs behind the please-wait sheet, which shows nothing.
    const QStringList problems = openWorkbook(path);
    if (!problems.isEmpty())
        self.lastError_ = problems.first();
    return self.data_;
}

QStringList SpreadsheetWriter::openWorkbook(const QString& path)
{
    SpreadsheetWriter& self = instance();
    // Nothing of an earlier workbook may be read as this one's.
    Release_Data();
    Excel_Sheet_Columns = 1;
    self.lastError_.clear();
    self.archive_ = std::make_unique<ZipReader>(path);
    ZipError error;
    if (!SSZipArchive::openForReading(*self.archive_, &error)) {
        self.archive_.reset();
        // A workbook that is no zip archive at all is most often one the reader cannot take, or
        // one cut short or damaged: say so in words before the archive's own reason.
        QString reason = error.message;
        if (error.code == SSZipArchive::CannotOpenArchive) {
            const QFileInfo file(path);
            const QString older = OlderWorkbook::refusal(OlderWorkbook::kindOf(path), path);
            if (file.exists() && !file.isFile())
                reason = QStringLiteral("it is not a regular file");
            else if (file.size() == 0 && file.isFile())
                reason = QStringLiteral("\"%1\" is empty: the file holds no bytes").arg(path);
            else if (!older.isEmpty())
                reason = older;
            else
                reason = QStringLiteral("it is damaged or not an Excel workbook (.xlsx) (%1)").arg(error.message);
        }
        self.fail(QStringLiteral("The workbook cannot be opened: %1.").arg(reason));
        return { self.lastError_ };
    }
    QStringList problems;
    self.memory_ = WorkbookMemory::forArchive(self.archive_->archiveSize());
    self.date1904_ = self.usesDate1904();
    QString stringsPart = self.partTarget(QStringLiteral("/sharedStrings"), QString());
    if (stringsPart.isEmpty())
        stringsPart = QStringLiteral("xl/sharedStrings.xml");
    if (self.archive_->find(stringsPart) && !self.ReadSharedStrings(stringsPart))
        problems.append(cannotReadMessage(self.lastError_));
    QString stylesPart = self.partTarget(QStringLiteral("/styles"), QString());
    if (stylesPart.isEmpty())
        stylesPart = QStringLiteral("xl/styles.xml");
    if (self.archive_->find(stylesPart) && !self.ReadStyles(stylesPart))
        problems.append(cannotReadMessage(self.lastError_));
    return problems;
}

WorkbookFile SpreadsheetWriter::openWorkbookFile(const std::atomic<bool>* stop)
{
    const SpreadsheetWriter& self = instance();
    if (!self.archive_)
        return { {}, {}, QStringLiteral("No workbook is open.") };
    WorkbookFile file { self.archive_->identity(), self.archive_->digest(stop), {} };
    if (!file.content.isKnown() && !(stop && stop->load()))
        file.changed = changedWhileReadMessage();
    return file;
}

QString SpreadsheetWriter::changedWhileReadMessage()
{
    return QStringLiteral("The workbook was changed by another program while it was read. Try again once that program "
                          "has finished saving it.");
}

QString SpreadsheetWriter::cannotReadMessage(const QString& reason)
{
    return reason == changedWhileReadMessage() ? reason
                                               : QStringLiteral("The workbook cannot be read: %1.").arg(reason);
}

bool SpreadsheetWriter::failReading(const QString& message)
{
    return fail(archive_ && !archive_->unchanged() ? changedWhileReadMessage() : message);
}

void SpreadsheetWriter::Release_Data()
{
    SpreadsheetWriter& self = instance();
    self.archive_.reset();
    self.data_ = SheetTable();
    self.sharedStrings_ = QStringList();
    self.sharedStringsBytes_ = 0;
    self.styles_.clear();
    self.stylesFailure_.clear();
}

XmlStream::Source SpreadsheetWriter::partSource(const ZipReader::Entry& entry, const QString& partName) const
{
    // Each part may inflate to what the whole archive could honestly hold, counted as it comes.
    auto stream
        = std::make_shared<ZipEntryStream>(*archive_, entry, SSZipArchive::unpackLimit(archive_->archiveSize()));
    return readAhead([stream, partName](char* data, qint64 max, QString& error) {
        const qint64 count = stream->read(data, max);
        if (count < 0)
            error = SSZipArchive::readFailure(stream->status(), partName).message;
        return count;
    });
}

bool SpreadsheetWriter::ReadSharedStrings(const QString& partName)
{
    lastError_.clear();
    sharedStrings_.clear();
    sharedStringsBytes_ = 0;
    const ZipReader::Entry* entry = archive_ ? archive_->find(partName) : nullptr;
    if (!entry)
        return failReading(QStringLiteral("%1 cannot be read").arg(partName));
    QString error;
    if (!readSharedStringsPart(
            partSource(*entry, partName), partName, memory_, sharedStrings_, sharedStringsBytes_, error))
        return failReading(error);
    return true;
}

bool SpreadsheetWriter::ReadStyles(const QString& partName)
{
    styles_.clear();
    stylesFailure_.clear();
    const ZipReader::Entry* entry = archive_ ? archive_->find(partName) : nullptr;
    QString error = QStringLiteral("%1 cannot be read").arg(partName);
    if (entry && readStylesPart(partSource(*entry, partName), partName, styles_, error)) {
        // The formats its cells use take memory beside the table's.
        styles_.setMemoryLimit(memory_.limit);
        return true;
    }
    stylesFailure_ = error;
    return failReading(error);
}

SheetTable SpreadsheetWriter::ReadData_only_column()
{
    SpreadsheetWriter& self = instance();
    self.readTitles(self.sheetPartPath(Excel_Sheet_Number));
    return self.data_;
}

std::unique_ptr<WorksheetReader> SpreadsheetWriter::startSheetRead(const QString& partName)
{
    data_.clear();
    lastError_.clear();
    if (!stylesFailure_.isEmpty()) {
        failReading(stylesFailure_);
        return nullptr;
    }
    const ZipReader::Entry* entry = archive_ ? archive_->find(partName) : nullptr;
    if (!entry) {
        failReading(QStringLiteral("%1 cannot be read").arg(partName));
        return nullptr;
    }
    auto reader = std::make_unique<WorksheetReader>(partName, partSource(*entry, partName), sharedStrings_, styles_);
    reader->setDate1904(date1904_);
    if (!reader->open()) {
        failReading(reader->errorString());
        return nullptr;
    }
    return reader;
}

QString SpreadsheetWriter::formatsTooLargeMessage(const QString& partName) const
{
    return QStringLiteral("the number formats of %1 are too large to read: %2").arg(partName, memory_.reason);
}

bool SpreadsheetWriter::readTitles(const QString& partName)
{
    const std::unique_ptr<WorksheetReader> sheet = startSheetRead(partName);
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
        return failReading(reader.errorString());
    if (styles_.exceeded())
        return failReading(formatsTooLargeMessage(partName));
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

bool SpreadsheetWriter::ReadData(const QString& partName)
{
    const std::unique_ptr<WorksheetReader> sheet = startSheetRead(partName);
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
    bool formatsTooLarge = false;
    // The shared strings stay in memory beside the table.
    qint64 bytes = sharedStringsBytes_;
    const bool ok = reader.readToEnd([&](const WorksheetReader::Row& cells) {
        // A wider row widens every row before it too: one far cell under many short rows
        // would otherwise pad the table far past the estimate once the rows are read.
        const int widened = std::max(columns, widest(cells)) - columns;
        bytes += rowBytes(columns, cells) + qint64(data_.size()) * widened * bytesPerCell;
        // The formats its cells use count too; when they are what passes the limit, they are named.
        formatsTooLarge = bytes <= memory_.limit
            && (bytes + styles_.compiledBytes() > memory_.limit || styles_.exceeded());
        if (bytes > memory_.limit || formatsTooLarge) {
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
        return failReading(formatsTooLarge
                ? formatsTooLargeMessage(partName)
                : QStringLiteral("%1 is too large to read: %2").arg(partName, memory_.reason));
    }
    if (!ok) {
        data_.clear();
        return failReading(reader.errorString());
    }
    for (QStringList& row : data_) {
        if (row.size() < columns)
            row.resize(columns);
    }
    if (columns > Excel_Sheet_Columns)
        Excel_Sheet_Columns = columns;
    return true;
}

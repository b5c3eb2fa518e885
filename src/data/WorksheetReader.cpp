#include "data/WorksheetReader.h"

#include "data/CellFormat.h"
#include "data/CellFormatText.h"
#include "data/CellReference.h"
#include "data/CellText.h"
#include "data/SerialDate.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <system_error>
#include <thread>

namespace {

// Depths of the elements read: worksheet, sheetData, row, c, v or is, t or r, t in r.
constexpr int sheetDataDepth = 2;
constexpr int rowDepth = 3;
constexpr int cellDepth = 4;
constexpr int valueDepth = 5;
constexpr int inlineDepth = 6;
constexpr int runTextDepth = 7;
// Rows handed between the threads at a time, and batches the parser may run ahead: enough to
// keep both threads busy, little enough to hold a few thousand rows at most.
constexpr size_t rowsPerBatch = 512;
constexpr size_t batchesAhead = 8;

// The column count of a used range such as "A1:C20" or "B2": the column of its last cell.
int rangeColumns(const QString& range)
{
    const qsizetype colon = range.indexOf(u':');
    const QStringView last = colon < 0 ? QStringView(range) : QStringView(range).mid(colon + 1);
    return Get_Col_index(Get_Column_Char_Str(last), 64);
}

// The leading ASCII letters of a reference, as column letters.
int referenceColumn(const char* reference)
{
    char16_t letters[4];
    int count = 0;
    for (; count < 4; ++count) {
        const char c = reference[count];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            break;
        letters[count] = char16_t(c);
    }
    return Get_Col_index(QStringView(letters, count), 65);
}

// A cell's style index: decimal digits alone, within an int.
bool parseStyleIndex(const char* text, int& index)
{
    qint64 value = 0;
    const char* c = text;
    for (; *c >= '0' && *c <= '9'; ++c) {
        value = value * 10 + (*c - '0');
        if (value > std::numeric_limits<int>::max())
            return false;
    }
    index = int(value);
    return c != text && *c == '\0';
}

} // namespace

WorksheetReader::WorksheetReader(
    const QString& partName, XmlStream::Source source, const QStringList& sharedStrings, const CellStyles& styles)
    : stream_(partName, std::move(source), *this)
    , sharedStrings_(sharedStrings)
    , styles_(styles)
{ }

void WorksheetReader::Batch::clear()
{
    cells.clear();
    rowEnds.clear();
    bytes.clear();
    taken = 0;
}

bool WorksheetReader::open()
{
    if (!stream_.open())
        return false;
    while (!sheetDataSeen_ && stream_.feed()) { }
    return !stream_.failed();
}

bool WorksheetReader::readRows(const std::function<bool(const Row&)>& onRow)
{
    while (handOn(batch_, onRow)) {
        if (rowsEnded_ || !stream_.feed()) {
            // The rows parsed before the end or the damage.
            handOn(batch_, onRow);
            break;
        }
    }
    return !stream_.failed();
}

bool WorksheetReader::readToEnd(const std::function<bool(const Row&)>& onRow)
{
    if (!handOn(batch_, onRow))
        return !stream_.failed();
    BoundedQueue<Batch> queue(batchesAhead);
    batches_ = &queue;
    stopped_ = false;
    std::thread parser;
    try {
        parser = std::thread([this, &queue] {
            while (!stopped_ && stream_.feed()) { }
            if (!stopped_ && !batch_.rowEnds.empty())
                queue.push(std::move(batch_));
            queue.close();
        });
    } catch (const std::system_error&) {
        // No thread to spare: the rows are parsed here.
        batches_ = nullptr;
        bool wanted = true;
        if (!readRows([&](const Row& row) { return wanted = onRow(row); }) || !wanted)
            return !stream_.failed();
        while (stream_.feed()) { }
        return !stream_.failed();
    }
    Batch batch;
    bool wanted = true;
    while (wanted && queue.pop(batch))
        wanted = handOn(batch, onRow);
    // A parser still running stops at its next batch.
    queue.close();
    parser.join();
    batches_ = nullptr;
    batch_.clear();
    return !stream_.failed();
}

bool WorksheetReader::handOn(Batch& batch, const std::function<bool(const Row&)>& onRow)
{
    Shown shown { sharedStrings_, styles_, date1904_, {}, {} };
    Row& row = shown.row;
    while (batch.taken < batch.rowEnds.size()) {
        size_t index = batch.taken == 0 ? 0 : batch.rowEnds[batch.taken - 1];
        const size_t end = batch.rowEnds[batch.taken];
        ++batch.taken;
        row.clear();
        for (; index < end; ++index) {
            const ParsedCell& cell = batch.cells[index];
            const char* bytes = batch.bytes.data() + cell.offset;
            if (cell.type == CellType::Shared) {
                const QString& text = shown.sharedStrings.at(cell.sharedIndex);
                if (!text.isEmpty())
                    row.push_back(Cell { cell.column, text, true });
            } else if (cell.type == CellType::Number || cell.type == CellType::Boolean || cell.type == CellType::Date) {
                if (QString text = valueText(cell, bytes, shown); !text.isEmpty())
                    row.push_back(Cell { cell.column, std::move(text) });
            } else if (QString text = cellText(cell.type, bytes, cell.size); !text.isEmpty()) {
                row.push_back(Cell { cell.column, std::move(text) });
            }
        }
        if (!onRow(row))
            return false;
    }
    batch.clear();
    return true;
}

void WorksheetReader::endRow()
{
    inRow_ = false;
    const size_t base = batch_.bytes.size();
    for (ParsedCell cell : rowCells_) {
        cell.offset += base;
        batch_.cells.push_back(cell);
    }
    batch_.bytes += rowBytes_;
    batch_.rowEnds.push_back(batch_.cells.size());
    if (!batches_ || batch_.rowEnds.size() < rowsPerBatch || stopped_)
        return;
    const size_t cells = batch_.cells.size();
    const size_t bytes = batch_.bytes.size();
    // A closed queue means the rows are no longer wanted.
    stopped_ = !batches_->push(std::move(batch_));
    batch_.clear();
    // Rows alike need room alike: growing the next batch step by step costs the parser copies.
    batch_.cells.reserve(cells + cells / 4);
    batch_.bytes.reserve(bytes + bytes / 4);
    batch_.rowEnds.reserve(rowsPerBatch);
}

void WorksheetReader::startElement(std::string_view name, const char** attrs)
{
    ++depth_;
    if (depth_ == 1) {
        isWorksheet_ = name == "worksheet";
        return;
    }
    if (!isWorksheet_)
        return;
    if (depth_ == sheetDataDepth) {
        if (name == "dimension" && !dimensionSeen_) {
            dimensionSeen_ = true;
            const char* ref = XmlStream::attribute(attrs, "ref");
            const int columns = ref ? rangeColumns(QString::fromUtf8(ref)) : 0;
            dimensionColumns_ = columns > 0 ? columns : 0;
        } else if (name == "sheetData" && !sheetDataSeen_) {
            sheetDataSeen_ = true;
            inSheetData_ = true;
        }
        return;
    }
    if (!inSheetData_)
        return;
    if (depth_ == rowDepth && name == "row") {
        if (++rows_ > maxSheetRows) {
            stream_.fail(QStringLiteral("the sheet has more than %1 rows").arg(maxSheetRows));
            return;
        }
        inRow_ = true;
        rowCells_.clear();
        rowBytes_.clear();
        nextColumn_ = 0;
    } else if (depth_ == cellDepth && inRow_ && name == "c") {
        startCell(attrs);
    } else if (depth_ == valueDepth && inCell_) {
        if (name == "v") {
            capture_ = Capture::Value;
            value_.clear();
        } else if (name == "is") {
            inInline_ = true;
        }
    } else if (depth_ == inlineDepth && inInline_) {
        if (name == "t")
            capture_ = Capture::InlineText;
        else if (name == "r")
            inRun_ = true;
    } else if (depth_ == runTextDepth && inRun_ && name == "t") {
        capture_ = Capture::InlineText;
    }
}

void WorksheetReader::startCell(const char** attrs)
{
    inCell_ = true;
    value_.clear();
    inlineText_.clear();
    // One pass over the attributes: a cell's are a few one-letter names, for every cell of a sheet.
    const char* type = nullptr;
    const char* style = nullptr;
    const char* reference = nullptr;
    for (; attrs && attrs[0]; attrs += 2) {
        const char* name = attrs[0];
        if (name[0] == '\0' || name[1] != '\0')
            continue;
        if (name[0] == 't')
            type = attrs[1];
        else if (name[0] == 's')
            style = attrs[1];
        else if (name[0] == 'r')
            reference = attrs[1];
    }
    cellType_ = CellType::Number;
    if (type) {
        if (std::strcmp(type, "s") == 0)
            cellType_ = CellType::Shared;
        else if (std::strcmp(type, "inlineStr") == 0)
            cellType_ = CellType::Inline;
        else if (std::strcmp(type, "str") == 0)
            cellType_ = CellType::Formula;
        else if (std::strcmp(type, "d") == 0)
            cellType_ = CellType::Date;
        else if (std::strcmp(type, "b") == 0)
            cellType_ = CellType::Boolean;
        else if (std::strcmp(type, "e") == 0)
            cellType_ = CellType::Error;
    }
    cellStyle_ = 0;
    if (style) {
        if (!parseStyleIndex(style, cellStyle_)) {
            stream_.fail(QStringLiteral("cell style \"%1\" is not valid").arg(QString::fromUtf8(style)));
            return;
        }
        // A workbook without styles shows every cell in the General format.
        if (!styles_.isEmpty() && cellStyle_ >= styles_.count()) {
            stream_.fail(QStringLiteral("cell style %1 does not exist (the workbook has %2)")
                             .arg(cellStyle_)
                             .arg(styles_.count()));
            return;
        }
    }
    // A cell without a reference follows the one before it.
    cellColumn_ = nextColumn_;
    if (reference && *reference) {
        cellColumn_ = referenceColumn(reference);
        if (cellColumn_ < 0) {
            stream_.fail(QStringLiteral("cell reference \"%1\" is not valid").arg(QString::fromUtf8(reference)));
            return;
        }
    }
    if (cellColumn_ >= maxSheetColumns) {
        stream_.fail(QStringLiteral("a cell lies beyond the last column"));
        return;
    }
    nextColumn_ = cellColumn_ + 1;
}

void WorksheetReader::endElement(std::string_view name)
{
    capture_ = Capture::None; // "v" and "t" hold text only
    if (inSheetData_) {
        if (depth_ == runTextDepth - 1 && name == "r")
            inRun_ = false;
        else if (depth_ == valueDepth && name == "is")
            inInline_ = false;
        else if (depth_ == cellDepth && inCell_)
            endCell();
        else if (depth_ == rowDepth && inRow_)
            endRow();
        else if (depth_ == sheetDataDepth) {
            inSheetData_ = false;
            rowsEnded_ = true;
        }
    }
    --depth_;
}

void WorksheetReader::characters(std::string_view text)
{
    if (capture_ == Capture::Value)
        capture(value_, text);
    else if (capture_ == Capture::InlineText)
        capture(inlineText_, text);
}

// Refuses a cell as soon as its text is longer than any cell may be, before it is built.
void WorksheetReader::capture(std::string& text, std::string_view more)
{
    if (text.size() + more.size() > maxCellTextBytes) {
        capture_ = Capture::None;
        stream_.fail(QStringLiteral("a cell holds more than %1 characters").arg(maxCellCharacters));
        return;
    }
    text.append(more);
}

QString WorksheetReader::cellText(CellType type, const char* utf8, size_t size) const
{
    if (type != CellType::Date)
        return cellTextFromUtf8(utf8, qsizetype(size));
    const QString iso = QString::fromUtf8(utf8, qsizetype(size)).trimmed();
    const std::optional<double> serial = serialFromIsoDate(iso, date1904_);
    const QString shown = serial ? isoDateText(*serial, date1904_) : QString();
    // A date no calendar knows is shown as written rather than lost.
    return shown.isEmpty() ? decodeCellText(iso) : shown;
}

QString WorksheetReader::valueText(const ParsedCell& cell, const char* utf8, Shown& shown) const
{
    const std::string_view stored(utf8, cell.size);
    const CellFormat* format = shown.styles.isEmpty() ? nullptr : &shown.styles.format(cell.style);
    const bool general = !format || format->isGeneral();
    if (cell.type == CellType::Date) {
        const std::optional<double> serial = general
            ? std::nullopt
            : serialFromIsoDate(QString::fromUtf8(utf8, qsizetype(cell.size)).trimmed(), shown.date1904);
        // Without a number format of its own, a date written as a date shows as one.
        return serial ? format->format(*serial, shown.date1904) : cellText(cell.type, utf8, cell.size);
    }
    if (cell.type == CellType::Number && general)
        return generalCellText(stored);
    double value = 0;
    if (!parseCellNumber(stored, value) || (cell.type == CellType::Boolean && value != 0 && value != 1))
        return cellTextFromUtf8(utf8, qsizetype(cell.size));
    if (cell.type == CellType::Boolean)
        return value == 1 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    format->format(value, shown.date1904, shown.formatted);
    return cellformat::shownText(shown.formatted);
}

void WorksheetReader::addText(const std::string& utf8, CellType type)
{
    if (utf8.empty())
        return;
    // A text takes at least as many bytes as characters, so only a long one needs measuring.
    if (type != CellType::Number && utf8.size() > size_t(maxCellCharacters)
        && cellText(type, utf8.data(), utf8.size()).size() > maxCellCharacters) {
        stream_.fail(QStringLiteral("a cell holds more than %1 characters").arg(maxCellCharacters));
        return;
    }
    rowCells_.push_back(ParsedCell { cellColumn_, type, cellStyle_, 0, rowBytes_.size(), utf8.size() });
    rowBytes_ += utf8;
}

void WorksheetReader::endCell()
{
    inCell_ = false;
    if (cellType_ == CellType::Inline) {
        addText(inlineText_, cellType_);
        return;
    }
    if (value_.empty())
        return;
    if (cellType_ != CellType::Shared) {
        // Also formula cells: "v" holds the cached result.
        addText(value_, cellType_);
        return;
    }
    const char* first = value_.data();
    const char* last = first + value_.size();
    while (first < last && (*first == ' ' || *first == '\t' || *first == '\n' || *first == '\r'))
        ++first;
    while (last > first && (last[-1] == ' ' || last[-1] == '\t' || last[-1] == '\n' || last[-1] == '\r'))
        --last;
    long long index = -1;
    const auto [end, status] = std::from_chars(first, last, index);
    if (status != std::errc() || end != last || index < 0 || index >= sharedStrings_.size()) {
        stream_.fail(QStringLiteral("shared string %1 does not exist (the workbook has %2)")
                         .arg(QString::fromUtf8(first, last - first))
                         .arg(sharedStrings_.size()));
        return;
    }
    rowCells_.push_back(ParsedCell { cellColumn_, CellType::Shared, cellStyle_, qsizetype(index), 0, 0 });
}

#include "data/WorksheetReader.h"

#include "data/CellReference.h"
#include "data/CellText.h"
#include "data/SerialDate.h"

#include <charconv>

namespace {

// Depths of the elements read: worksheet, sheetData, row, c, v or is, t or r, t in r.
constexpr int sheetDataDepth = 2;
constexpr int rowDepth = 3;
constexpr int cellDepth = 4;
constexpr int valueDepth = 5;
constexpr int inlineDepth = 6;
constexpr int runTextDepth = 7;

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

} // namespace

WorksheetReader::WorksheetReader(const QString& partName, XmlStream::Source source, const QStringList& sharedStrings)
    : stream_(partName, std::move(source), *this)
    , sharedStrings_(sharedStrings)
{ }

bool WorksheetReader::open()
{
    if (!stream_.open())
        return false;
    while (!sheetDataSeen_ && stream_.feed()) { }
    return !stream_.failed();
}

bool WorksheetReader::readRows(const std::function<bool(const Row&)>& onRow)
{
    stopped_ = false;
    while (!pending_.empty()) {
        const Row row = std::move(pending_.front());
        pending_.pop_front();
        if (!onRow(row))
            return !stream_.failed();
    }
    onRow_ = &onRow;
    while (!stopped_ && !rowsEnded_ && stream_.feed()) { }
    onRow_ = nullptr;
    return !stream_.failed();
}

void WorksheetReader::endRow()
{
    inRow_ = false;
    if (onRow_ && !stopped_) {
        if (!(*onRow_)(row_))
            stopped_ = true;
        row_.clear();
    } else {
        pending_.push_back(std::move(row_));
        row_ = Row();
    }
}

bool WorksheetReader::finish()
{
    while (stream_.feed()) { }
    return !stream_.failed();
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
        row_.clear();
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
    const char* type = XmlStream::attribute(attrs, "t");
    cellType_ = type ? type : "";
    const char* reference = XmlStream::attribute(attrs, "r");
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

void WorksheetReader::addCell(const char* utf8, size_t size)
{
    if (size == 0)
        return;
    row_.push_back(Cell { cellColumn_, QString::fromUtf8(utf8, qsizetype(size)) });
}

void WorksheetReader::addText(QString text)
{
    text = decodeCellText(text);
    if (text.size() > maxCellCharacters) {
        stream_.fail(QStringLiteral("a cell holds more than %1 characters").arg(maxCellCharacters));
        return;
    }
    if (!text.isEmpty())
        row_.push_back(Cell { cellColumn_, text });
}

void WorksheetReader::endCell()
{
    inCell_ = false;
    if (cellType_ == "inlineStr") {
        addText(QString::fromUtf8(inlineText_.data(), qsizetype(inlineText_.size())));
        return;
    }
    if (value_.empty())
        return;
    if (cellType_ == "str") {
        addText(QString::fromUtf8(value_.data(), qsizetype(value_.size())));
        return;
    }
    if (cellType_ == "d") {
        const QString iso = QString::fromUtf8(value_.data(), qsizetype(value_.size())).trimmed();
        const QString serial = serialFromIsoDate(iso, date1904_);
        // A date no calendar knows is shown as written rather than lost.
        addText(serial.isEmpty() ? iso : serial);
        return;
    }
    if (cellType_ != "s") {
        // Also formula cells: "v" holds the cached result.
        addCell(value_.data(), value_.size());
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
    const QString& text = sharedStrings_.at(qsizetype(index));
    if (!text.isEmpty())
        row_.push_back(Cell { cellColumn_, text, true });
}

#pragma once

#include "data/BoundedQueue.h"
#include "data/CellStyles.h"
#include "data/XmlStream.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

// Streams the rows of a worksheet part without building a document of the whole sheet, so
// memory stays with the caller's table however large the sheet is.
class WorksheetReader : private XmlStream::Handler
{
public:
    struct Cell
    {
        int column = 0; // index from 0
        QString value; // the shown value: shared or inline string, or a value as its number format shows it
        bool shared = false; // value is one of the shared strings, not a text of its own
    };

    // sharedStrings and styles must outlive the reader.
    WorksheetReader(
        const QString& partName, XmlStream::Source source, const QStringList& sharedStrings, const CellStyles& styles);

    // Opens the sheet part and reads up to its rows. False with errorString() for a missing or
    // broken part; a part that is not a worksheet opens with no rows.
    bool open();
    // The column count from the used range ("dimension"), or 0 when the sheet states none.
    int dimensionColumns() const { return dimensionColumns_; }
    using Row = std::vector<Cell>;
    // Hands each row's cells that hold a value to onRow, in document order, until onRow
    // returns false or the rows end; a later call goes on with the next row. False on an error.
    bool readRows(const std::function<bool(const Row&)>& onRow);
    // Whether the workbook counts dates from 1904 rather than 1900.
    void setDate1904(bool date1904) { date1904_ = date1904; }
    // readRows to the last row, then the rest of the part so that damage after the last row is
    // noticed, with the parsing on a thread of its own so that it overlaps onRow's work. onRow
    // runs on the calling thread.
    bool readToEnd(const std::function<bool(const Row&)>& onRow);
    QString errorString() const { return stream_.errorString(); }

private:
    enum class Capture
    {
        None,
        Value,
        InlineText
    };
    enum class CellType
    {
        Number, // also formula results without a type
        Boolean, // "b"
        Error, // "e"
        Shared, // "s"
        Inline, // "inlineStr"
        Formula, // "str"
        Date, // "d"
    };
    // A cell as parsed: its text's bytes lie in the batch, and the texts are made by whoever
    // takes the rows, so that the parsing thread does no more than parse.
    struct ParsedCell
    {
        int column = 0;
        CellType type = CellType::Number;
        int style = 0; // index into the workbook's cell styles
        qsizetype sharedIndex = 0;
        size_t offset = 0;
        size_t size = 0;
    };
    // Rows parsed and not yet taken, their cells one after the other.
    struct Batch
    {
        std::vector<ParsedCell> cells;
        std::vector<size_t> rowEnds; // one past each row's last cell
        std::string bytes;
        size_t taken = 0; // rows already handed on

        void clear();
    };

    void startElement(std::string_view name, const char** attrs) override;
    void endElement(std::string_view name) override;
    void characters(std::string_view text) override;
    void startCell(const char** attrs);
    void endCell();
    void endRow();
    void addText(const std::string& utf8, CellType type);
    // The shown text of a cell of a text type.
    QString cellText(CellType type, const char* utf8, size_t size) const;
    // What the thread taking the rows reads for every cell, copied out of the reader so that
    // it never reads what lies beside what the parsing thread writes: sharing cache lines with
    // it would slow both threads.
    struct Shown
    {
        const QStringList& sharedStrings;
        const CellStyles& styles;
        bool date1904 = false;
        std::u16string formatted; // a formatted value being written, reused
        Row row; // the row being handed on, reused
    };
    // The shown text of a number, a boolean or a date cell under its style's number format.
    QString valueText(const ParsedCell& cell, const char* utf8, Shown& shown) const;
    void capture(std::string& text, std::string_view more);
    // Hands the batch's untaken rows to onRow until it returns false; false then.
    bool handOn(Batch& batch, const std::function<bool(const Row&)>& onRow);

    XmlStream stream_;
    const QStringList& sharedStrings_;
    const CellStyles& styles_;
    BoundedQueue<Batch>* batches_ = nullptr; // where full batches go while parsed on another thread
    Batch batch_;
    bool stopped_ = false;
    bool date1904_ = false;
    int dimensionColumns_ = 0;

    int depth_ = 0;
    bool isWorksheet_ = false;
    bool dimensionSeen_ = false;
    bool sheetDataSeen_ = false;
    bool inSheetData_ = false;
    bool rowsEnded_ = false;
    bool inRow_ = false;
    int rows_ = 0;
    bool inCell_ = false;
    bool inInline_ = false;
    bool inRun_ = false;
    Capture capture_ = Capture::None;
    int nextColumn_ = 0;
    int cellColumn_ = 0;
    CellType cellType_ = CellType::Number;
    int cellStyle_ = 0;
    std::string value_;
    std::string inlineText_;
    std::vector<ParsedCell> rowCells_; // the row being parsed, its texts in rowBytes_
    std::string rowBytes_;
};

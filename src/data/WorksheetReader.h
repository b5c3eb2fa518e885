#pragma once

#include "data/XmlStream.h"

#include <QString>
#include <QStringList>

#include <deque>
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
        QString value; // the shown value: shared or inline string, or a cell's cached value
        bool shared = false; // value is one of the shared strings, not a text of its own
    };

    // sharedStrings must outlive the reader.
    WorksheetReader(const QString& partName, XmlStream::Source source, const QStringList& sharedStrings);

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
    // Reads the rest of the sheet file so that damage after the last row is noticed.
    bool finish();
    QString errorString() const { return stream_.errorString(); }

private:
    enum class Capture
    {
        None,
        Value,
        InlineText
    };

    void startElement(std::string_view name, const char** attrs) override;
    void endElement(std::string_view name) override;
    void characters(std::string_view text) override;
    void startCell(const char** attrs);
    void endCell();
    void endRow();
    void addCell(const char* utf8, size_t size);
    void addText(QString text);
    void capture(std::string& text, std::string_view more);

    XmlStream stream_;
    const QStringList& sharedStrings_;
    const std::function<bool(const Row&)>* onRow_ = nullptr;
    std::deque<Row> pending_; // parsed while nobody was taking rows
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
    Row row_;
    int nextColumn_ = 0;
    int cellColumn_ = 0;
    std::string cellType_;
    std::string value_;
    std::string inlineText_;
};

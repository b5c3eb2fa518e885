#pragma once

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

// Streams the rows of a worksheet part without building a document of the whole sheet, so
// memory stays with the caller's table however large the sheet is.
class WorksheetReader
{
public:
    struct Cell
    {
        int column = 0; // index from 0
        QString value;  // the shown value: shared or inline string, or a cell's cached value
    };

    // sharedStrings must outlive the reader.
    WorksheetReader(const QString& path, const QString& partName, const QStringList& sharedStrings);

    // Opens the part and reads up to its rows. False with errorString() for a missing or
    // broken part; a part that is not a worksheet opens with no rows.
    bool open();
    // The column count from the used range ("dimension"), or 0 when the part states none.
    int dimensionColumns() const { return dimensionColumns_; }
    // The next row's cells that hold a value, in document order. False after the last row
    // or on an error (then errorString() is not empty).
    bool nextRow(QList<Cell>& cells);
    // Reads the rest of the part so that damage after the last row is noticed.
    bool finish();
    QString errorString() const { return error_; }

private:
    bool readCell(QList<Cell>& cells, int& nextColumn);
    QString readValue(QStringView type);
    bool failed(const QString& reason);
    bool failedXml();

    QFile file_;
    QXmlStreamReader xml_;
    QString partName_;
    const QStringList& sharedStrings_;
    QString error_;
    int dimensionColumns_ = 0;
    bool inRows_ = false;
};

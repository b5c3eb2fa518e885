#pragma once

#include "data/CellFormat.h"
#include "data/XmlStream.h"

#include <QHash>
#include <QString>

#include <limits>
#include <memory>
#include <vector>

// The number formats of a workbook's cell styles, by the style index that cells give in their
// "s" attribute. A workbook without styles shows every number as General. A workbook may define
// tens of thousands of formats and use a few: each is compiled when a cell first asks for it,
// once for all the styles that share it, and the compiled formats count against a memory limit.
class CellStyles
{
public:
    // The most styles and distinct number formats a workbook may define.
    static constexpr qsizetype maxStyles = 65'536;
    // The longest format code a workbook may hold.
    static constexpr qsizetype maxCodeCharacters = 255;

    bool isEmpty() const { return styleFormats_.empty(); }
    qsizetype count() const { return qsizetype(styleFormats_.size()); }
    // The format of a style below count(). A format that would take the compiled ones past the
    // memory limit is not compiled: General stands in and exceeded() tells. Compiling changes
    // the styles, so one thread at a time asks.
    const CellFormat& format(qsizetype style) const;
    bool exceeded() const { return exceeded_; }
    // The heap the formats compiled so far take.
    qint64 compiledBytes() const { return compiledBytes_; }
    void setMemoryLimit(qint64 bytes) { memoryLimit_ = bytes; }

    // Forgets every style and gives their memory back.
    void clear();
    // Adds the next style with the format of a number-format id: a code the workbook defines
    // under that id (null when it defines none), else the built-in one.
    void addStyle(int formatId, const QString* definedCode);

private:
    struct Format
    {
        int id = 0;
        bool defined = false;
        QString code;
        mutable std::unique_ptr<CellFormat> compiled; // null until a cell uses it
    };

    std::vector<Format> formats_; // each distinct format id once
    QHash<int, quint32> formatIndexes_; // by id, the index in formats_
    std::vector<quint32> styleFormats_; // per style, its index in formats_
    qint64 memoryLimit_ = std::numeric_limits<qint64>::max();
    mutable qint64 compiledBytes_ = 0;
    mutable bool exceeded_ = false;
};

// Reads the cell styles of a workbook's styles part. False with a message in error when the
// part is broken or hostile.
bool readStylesPart(const XmlStream::Source& source, const QString& partName, CellStyles& styles, QString& error);

#pragma once

#include "data/CellFormat.h"
#include "data/XmlStream.h"

#include <QHash>
#include <QString>

#include <vector>

// The number formats of a workbook's cell styles, by the style index that cells give in their
// "s" attribute. A workbook without styles shows every number as General.
class CellStyles
{
public:
    // The most styles and distinct number formats a workbook may define.
    static constexpr qsizetype maxStyles = 65'536;
    // The longest format code a workbook may hold.
    static constexpr qsizetype maxCodeCharacters = 255;

    bool isEmpty() const { return styleFormats_.empty(); }
    qsizetype count() const { return qsizetype(styleFormats_.size()); }
    // The format of a style below count().
    const CellFormat& format(qsizetype style) const { return formats_[styleFormats_[size_t(style)]]; }

    void clear();
    // Adds the next style with the format of a number-format id: a code the workbook defines
    // under that id, else the built-in one.
    void addStyle(int formatId, const QString* definedCode);

private:
    std::vector<CellFormat> formats_; // each distinct format once
    QHash<int, size_t> formatIndexes_; // by the id each of formats_ was made from
    std::vector<size_t> styleFormats_; // per style, its index in formats_
};

// Reads the cell styles of a workbook's styles part. False with a message in error when the
// part is broken or hostile.
bool readStylesPart(const XmlStream::Source& source, const QString& partName, CellStyles& styles, QString& error);

#include "data/WorksheetReader.h"

#include "data/CellReference.h"
#include "data/WorkbookXml.h"

namespace {

// The column count of a used range such as "A1:C20" or "B2": the column of its last cell.
int rangeColumns(QStringView range)
{
    const qsizetype colon = range.indexOf(u':');
    const QStringView last = colon < 0 ? range : range.mid(colon + 1);
    return Get_Col_index(Get_Column_Char_Str(last), 64);
}

} // namespace

WorksheetReader::WorksheetReader(const QString& path, const QString& partName, const QStringList& sharedStrings)
    : file_(path), partName_(partName), sharedStrings_(sharedStrings)
{
}

bool WorksheetReader::failed(const QString& reason)
{
    error_ = QStringLiteral("%1, line %2: %3").arg(partName_).arg(xml_.lineNumber()).arg(reason);
    inRows_ = false;
    return false;
}

bool WorksheetReader::failedXml()
{
    error_ = describeXmlError(xml_, partName_);
    inRows_ = false;
    return false;
}

bool WorksheetReader::open()
{
    if (!file_.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("%1 cannot be read").arg(partName_);
        return false;
    }
    xml_.setDevice(&file_);
    if (!readRootElement(xml_))
        return failedXml();
    if (xml_.name() != u"worksheet")
        return true;
    bool dimensionSeen = false;
    while (xml_.readNextStartElement()) {
        if (xml_.name() == u"sheetData") {
            inRows_ = true;
            return true;
        }
        if (xml_.name() == u"dimension" && !dimensionSeen) {
            dimensionSeen = true;
            const int columns = rangeColumns(xml_.attributes().value(QLatin1String("ref")));
            dimensionColumns_ = columns > 0 ? columns : 0;
        }
        xml_.skipCurrentElement();
    }
    return xml_.hasError() ? failedXml() : true;
}

bool WorksheetReader::nextRow(QList<Cell>& cells)
{
    cells.clear();
    if (!inRows_)
        return false;
    while (xml_.readNextStartElement()) {
        if (xml_.name() != u"row") {
            xml_.skipCurrentElement();
            continue;
        }
        int nextColumn = 0;
        while (xml_.readNextStartElement()) {
            if (xml_.name() != u"c") {
                xml_.skipCurrentElement();
                continue;
            }
            if (!readCell(cells, nextColumn))
                return false;
        }
        if (xml_.hasError())
            return failedXml();
        return true;
    }
    // The end of the rows (or damage inside them).
    inRows_ = false;
    return xml_.hasError() ? failedXml() : false;
}

bool WorksheetReader::readCell(QList<Cell>& cells, int& nextColumn)
{
    const QXmlStreamAttributes attributes = xml_.attributes();
    const QStringView reference = attributes.value(QLatin1String("r"));
    int column = nextColumn;
    // A cell without a reference follows the one before it.
    if (!reference.isEmpty()) {
        column = Get_Col_index(Get_Column_Char_Str(reference), 65);
        if (column < 0)
            return failed(QStringLiteral("cell reference \"%1\" is not valid").arg(reference));
    }
    if (column >= maxSheetColumns)
        return failed(QStringLiteral("a cell lies beyond the last column"));
    nextColumn = column + 1;

    const QString type = attributes.value(QLatin1String("t")).toString();
    QString value = readValue(type);
    if (!error_.isEmpty())
        return false;
    if (xml_.hasError())
        return failedXml();
    if (!value.isEmpty())
        cells.append(Cell{column, std::move(value)});
    return true;
}

QString WorksheetReader::readValue(QStringView type)
{
    QString stored;
    QString inlineText;
    bool hasStored = false;
    while (xml_.readNextStartElement()) {
        if (xml_.name() == u"v") {
            stored = xml_.readElementText();
            hasStored = true;
        } else if (xml_.name() == u"is") {
            inlineText = readRichText(xml_);
        } else {
            xml_.skipCurrentElement(); // a formula: its cached value is in "v"
        }
    }
    if (xml_.hasError())
        return QString();
    if (type == u"inlineStr")
        return inlineText;
    if (type != u"s" || !hasStored)
        return stored;
    bool isNumber = false;
    const qlonglong index = stored.trimmed().toLongLong(&isNumber);
    if (!isNumber || index < 0 || index >= sharedStrings_.size()) {
        failed(QStringLiteral("shared string %1 does not exist (the workbook has %2)")
                   .arg(stored.trimmed())
                   .arg(sharedStrings_.size()));
        return QString();
    }
    return sharedStrings_.at(qsizetype(index));
}

bool WorksheetReader::finish()
{
    if (!error_.isEmpty())
        return false;
    while (!xml_.atEnd())
        xml_.readNext();
    return xml_.hasError() ? failedXml() : true;
}

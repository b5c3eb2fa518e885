#include "data/SpreadsheetWriter.h"

#include "common/FileHelpers.h"
#include "common/Globals.h"
#include "data/CellFormat.h"
#include "data/CellReference.h"
#include "data/CellText.h"
#include "data/SSZipArchive.h"
#include "platform/CheckedWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cmath>

namespace {

const QString mainNamespace = QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main");
const QString relationshipsNamespace
    = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString compatibilityNamespace = QStringLiteral("http://schemas.openxmlformats.org/markup-compatibility/2006");
const QString extensionNamespace = QStringLiteral("http://schemas.microsoft.com/office/spreadsheetml/2009/9/ac");
const QString layoutExtensionNamespace = QStringLiteral("http://schemas.microsoft.com/office/mac/excel/2008/main");

// Plain decimal numbers, read the same in every locale and shown as written; anything else is
// written as text, so a value such as "=1+2" or "1,5" is never taken for a formula or a number.
bool isNumberText(const QString& text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^[+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?$"));
    if (!pattern.match(text).hasMatch())
        return false;
    // Codes such as "007" or long card numbers lose their zeros or digits as numbers.
    static const QRegularExpression codeLike(QStringLiteral("^[+-]?(?:0[0-9]|[0-9]{16,})"));
    if (codeLike.match(text).hasMatch())
        return false;
    bool ok = false;
    const double value = text.toLatin1().toDouble(&ok);
    // A number that a workbook would show otherwise ("1e3", "2.50", more than 15 digits) stays
    // text, so that the value reads back as it was written.
    return ok && std::isfinite(value) && generalNumberText(value) == text;
}

// Characters that XML 1.0 cannot carry would make the whole part unreadable.
QString xmlSafe(const QString& text)
{
    const auto unsafe = [](QChar c) {
        const char16_t u = c.unicode();
        return (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') || u == 0xFFFE || u == 0xFFFF;
    };
    // Shared, not copied, in the usual case: a million-row table would otherwise be held twice.
    if (std::none_of(text.cbegin(), text.cend(), unsafe))
        return text;
    QString safe;
    safe.reserve(text.size());
    for (const QChar c : text) {
        if (!unsafe(c))
            safe.append(c);
    }
    return safe;
}

void writeText(QXmlStreamWriter& xml, const QString& text)
{
    xml.writeStartElement(QStringLiteral("t"));
    // Without this, readers drop leading and trailing blanks.
    if (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()))
        xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
    // A carriage return goes as a character reference: written raw, every XML reader turns
    // "\r\n" into "\n".
    const QStringList lines = encodeCellText(text).split(u'\r');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            xml.writeEntityReference(QStringLiteral("#13"));
        xml.writeCharacters(lines[i]);
    }
    xml.writeEndElement();
}

// Why the table cannot be written as a workbook, or "" when it can. Checked before anything is
// written: a cell longer than a workbook cell may be makes a file no reader accepts.
QString tableProblem(const SheetTable& table)
{
    if (table.size() > maxSheetRows)
        return QStringLiteral("the table has more rows or columns than a workbook can hold");
    for (qsizetype i = 0; i < table.size(); ++i) {
        const QStringList& row = table.at(i);
        if (row.size() > maxSheetColumns)
            return QStringLiteral("the table has more rows or columns than a workbook can hold");
        for (qsizetype j = 0; j < row.size(); ++j) {
            if (row.at(j).size() > maxCellCharacters)
                return QStringLiteral(
                    "row %1 of the workbook cannot be written: its value has %2 characters, and a workbook cell "
                    "holds at most %3")
                    .arg(i + 1)
                    .arg(row.at(j).size())
                    .arg(maxCellCharacters);
        }
    }
    return QString();
}

// A standalone part whose root element lies in the spreadsheet namespace.
void startPart(QXmlStreamWriter& xml, const QString& rootElement)
{
    xml.setAutoFormatting(true);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeStartElement(rootElement);
    xml.writeDefaultNamespace(mainNamespace);
}

} // namespace

bool SpreadsheetWriter::writePartFile(const QString& partPath, const std::function<bool(QIODevice&)>& fill)
{
    QString reason;
    if (!writeFileChecked(partPath, fill, &reason))
        return fail(QStringLiteral("Error when writing file %1: %2").arg(partPath, reason));
    return true;
}

bool SpreadsheetWriter::WriteWorksheetData(const QString& partPath)
{
    sharedStrings_.clear();
    if (const QString problem = tableProblem(data_); !problem.isEmpty())
        return fail(problem);
    const int rows = int(data_.size());
    int columns = 0;
    for (const QStringList& row : data_)
        columns = std::max(columns, int(row.size()));

    const auto writePart = [&](QIODevice& file) {
        QXmlStreamWriter xml(&file);
        startPart(xml, QStringLiteral("worksheet"));
        xml.writeNamespace(relationshipsNamespace, QStringLiteral("r"));
        xml.writeNamespace(compatibilityNamespace, QStringLiteral("mc"));
        xml.writeNamespace(extensionNamespace, QStringLiteral("x14ac"));
        xml.writeAttribute(QStringLiteral("mc:Ignorable"), QStringLiteral("x14ac"));

        const QString lastCell = ColumnNumber_To_Name(std::max(columns, 1)) + QString::number(std::max(rows, 1));
        xml.writeStartElement(QStringLiteral("dimension"));
        xml.writeAttribute(QStringLiteral("ref"), QStringLiteral("A1:") + lastCell);
        xml.writeEndElement();

        xml.writeStartElement(QStringLiteral("sheetViews"));
        xml.writeStartElement(QStringLiteral("sheetView"));
        xml.writeAttribute(QStringLiteral("tabSelected"), QStringLiteral("1"));
        xml.writeAttribute(QStringLiteral("workbookViewId"), QStringLiteral("0"));
        xml.writeStartElement(QStringLiteral("selection"));
        xml.writeAttribute(QStringLiteral("activeCell"), lastCell);
        xml.writeAttribute(QStringLiteral("sqref"), lastCell);
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeEndElement();

        xml.writeStartElement(QStringLiteral("sheetFormatPr"));
        xml.writeAttribute(QStringLiteral("baseColWidth"), QStringLiteral("10"));
        xml.writeAttribute(QStringLiteral("defaultRowHeight"), QStringLiteral("15"));
        xml.writeAttribute(QStringLiteral("x14ac:dyDescent"), QStringLiteral("0"));
        xml.writeEndElement();

        xml.writeStartElement(QStringLiteral("sheetData"));
        const QString spans = QStringLiteral("1:%1").arg(std::max(columns, 1));
        for (int i = 0; i < rows; ++i) {
            const QString rowNumber = QString::number(i + 1);
            xml.writeStartElement(QStringLiteral("row"));
            xml.writeAttribute(QStringLiteral("r"), rowNumber);
            xml.writeAttribute(QStringLiteral("spans"), spans);
            const QStringList& row = data_.at(i);
            for (int j = 0; j < row.size(); ++j) {
                xml.writeStartElement(QStringLiteral("c"));
                xml.writeAttribute(QStringLiteral("r"), ColumnNumber_To_Name(j + 1) + rowNumber);
                const QString& text = row.at(j);
                if (isNumberText(text)) {
                    xml.writeTextElement(QStringLiteral("v"), text);
                } else {
                    xml.writeAttribute(QStringLiteral("t"), QStringLiteral("s"));
                    sharedStrings_.append(xmlSafe(text));
                    xml.writeTextElement(QStringLiteral("v"), QString::number(sharedStrings_.size() - 1));
                }
                xml.writeEndElement();
            }
            xml.writeEndElement();
        }
        xml.writeEndElement();

        xml.writeStartElement(QStringLiteral("pageMargins"));
        xml.writeAttribute(QStringLiteral("left"), QStringLiteral("0.75"));
        xml.writeAttribute(QStringLiteral("right"), QStringLiteral("0.75"));
        xml.writeAttribute(QStringLiteral("top"), QStringLiteral("1"));
        xml.writeAttribute(QStringLiteral("bottom"), QStringLiteral("0.5"));
        xml.writeAttribute(QStringLiteral("header"), QStringLiteral("0.5"));
        xml.writeAttribute(QStringLiteral("footer"), QStringLiteral("0.5"));
        xml.writeEndElement();

        xml.writeStartElement(QStringLiteral("extLst"));
        xml.writeStartElement(QStringLiteral("ext"));
        xml.writeNamespace(layoutExtensionNamespace, QStringLiteral("mx"));
        xml.writeAttribute(QStringLiteral("uri"), QStringLiteral("{64002731-A6B0-56B0-2670-7721B7C09600}"));
        xml.writeStartElement(layoutExtensionNamespace, QStringLiteral("PLV"));
        xml.writeAttribute(QStringLiteral("Mode"), QStringLiteral("0"));
        xml.writeAttribute(QStringLiteral("OnePage"), QStringLiteral("0"));
        xml.writeAttribute(QStringLiteral("WScale"), QStringLiteral("0"));
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeEndElement();

        xml.writeEndElement();
        xml.writeEndDocument();
        return !xml.hasError();
    };
    return writePartFile(partPath, writePart);
}

bool SpreadsheetWriter::WriteSharedStringsXML(const QString& partPath)
{
    const auto writePart = [&](QIODevice& file) {
        QXmlStreamWriter xml(&file);
        startPart(xml, QStringLiteral("sst"));
        if (!sharedStrings_.isEmpty()) {
            const QString count = QString::number(sharedStrings_.size());
            xml.writeAttribute(QStringLiteral("count"), count);
            xml.writeAttribute(QStringLiteral("uniqueCount"), count);
        }
        for (const QString& text : sharedStrings_) {
            xml.writeStartElement(QStringLiteral("si"));
            writeText(xml, text);
            xml.writeEndElement();
        }
        xml.writeEndElement();
        xml.writeEndDocument();
        return !xml.hasError();
    };
    return writePartFile(partPath, writePart);
}

bool SpreadsheetWriter::WriteWorkbook(const QString& path, const SheetTable& table, bool /*hasTitleRow*/)
{
    SpreadsheetWriter& self = instance();
    self.lastError_.clear();
    if (const QString problem = tableProblem(table); !problem.isEmpty())
        return self.fail(problem);
    self.data_ = table;
    if (self.tmpDir_.isEmpty())
        return self.fail(QStringLiteral("there is no temporary folder"));
    const QString templatePath = Resource_File(QStringLiteral("Template.xlsx"));
    if (!QFileInfo(templatePath).isFile())
        return self.fail(QStringLiteral("the template workbook %1 is missing").arg(templatePath));

    Delete_File(self.tmpDir_);
    const QString xlFolder = self.tmpDir_ + QStringLiteral("/xl");
    if (!QDir().mkpath(xlFolder + QStringLiteral("/worksheets")))
        return self.fail(QStringLiteral("cannot create the folder %1").arg(xlFolder));
    ZipError error;
    if (!SSZipArchive::unzipFileAtPath(templatePath, self.tmpDir_, true, QString(), &error))
        return self.fail(QStringLiteral("the template workbook cannot be unpacked: %1").arg(error.message));
    // The worksheet collects the shared strings, so it is written first.
    if (!self.WriteWorksheetData(xlFolder + QStringLiteral("/worksheets/sheet1.xml")))
        return false;
    if (!self.WriteSharedStringsXML(xlFolder + QStringLiteral("/sharedStrings.xml")))
        return false;
    return self.packWorkFolder(path);
}

bool SpreadsheetWriter::packWorkFolder(const QString& path)
{
    const QStringList items
        = QDir(tmpDir_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    if (items.isEmpty())
        return fail(QStringLiteral("the work folder %1 is empty").arg(tmpDir_));
    QStringList paths;
    for (const QString& item : items)
        paths.append(tmpDir_ + QLatin1Char('/') + item);

    // Packed beside the work folder, then copied into place by the checked writer: the old
    // workbook is replaced only when the whole new one is on the disk.
    const QString packed = tmpDir_ + QStringLiteral(".xlsx");
    QFile::remove(packed);
    if (!SSZipArchive::createZipFileAtPath(packed, paths)) {
        QFile::remove(packed);
        return fail(QStringLiteral("cannot write the workbook %1").arg(path));
    }
    QFile source(packed);
    QString reason;
    const bool written = source.open(QIODevice::ReadOnly) && copyIntoFileChecked(source, path, &reason);
    source.close();
    QFile::remove(packed);
    if (!written)
        return fail(QStringLiteral("cannot write the workbook %1: %2").arg(path, reason));
    return true;
}

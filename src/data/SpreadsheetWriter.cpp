#include "data/SpreadsheetWriter.h"

#include "common/Logging.h"
#include "data/ProcessTempFolder.h"
#include "data/WorkbookXml.h"

#include <QDir>

int Excel_Sheet_Number = 1;
int Excel_Sheet_Columns = 1;

namespace {

const char* const sheetsQuery = "/*[local-name()='workbook']/*[local-name()='sheets']/*[local-name()='sheet']";
const char* const relationshipsQuery = "/*[local-name()='Relationships']/*[local-name()='Relationship']";

// The sheet's relationship id: "r:id", whatever prefix the workbook gave the namespace.
QString relationshipId(const pugi::xml_node& sheet)
{
    for (const pugi::xml_attribute& attribute : sheet.attributes()) {
        const QString name = QString::fromUtf8(attribute.name());
        if (name.endsWith(QStringLiteral(":id")))
            return QString::fromUtf8(attribute.value());
    }
    return QString();
}

} // namespace

SpreadsheetWriter::SpreadsheetWriter()
    : memory_(WorkbookMemory::forArchive(0)) // the smallest, until a workbook is opened
{
    const QString base = processTempFolder();
    if (!base.isEmpty())
        tmpDir_ = base + QStringLiteral("/ziptmp");
    if (!tmpDir_.isEmpty())
        QDir(tmpDir_ + QStringLiteral("/xl")).removeRecursively();
    Show_NSLog_Message(QStringLiteral("Temp. directory initialized:\n %1").arg(tmpDir_));
}

SpreadsheetWriter& SpreadsheetWriter::instance()
{
    static SpreadsheetWriter spreadsheet;
    return spreadsheet;
}

QString SpreadsheetWriter::lastError()
{
    return instance().lastError_;
}

QString SpreadsheetWriter::workFolder()
{
    return instance().tmpDir_;
}

bool SpreadsheetWriter::fail(const QString& message)
{
    lastError_ = message;
    Show_NSLog_Message(QStringLiteral("Error: ") + message);
    return false;
}

QString SpreadsheetWriter::partTarget(const QString& relationshipType, const QString& relationshipId) const
{
    pugi::xml_document relationships;
    QString error;
    if (!loadPackageXml(tmpDir_ + QStringLiteral("/xl/_rels/workbook.xml.rels"), relationships, error))
        return QString();
    for (const pugi::xpath_node& found : relationships.select_nodes(relationshipsQuery)) {
        const pugi::xml_node relationship = found.node();
        const QString id = QString::fromUtf8(relationship.attribute("Id").value());
        const QString type = QString::fromUtf8(relationship.attribute("Type").value());
        const bool wanted = relationshipId.isEmpty() ? type.endsWith(relationshipType) : id == relationshipId;
        if (!wanted)
            continue;
        if (QString::fromUtf8(relationship.attribute("TargetMode").value()) == QStringLiteral("External"))
            return QString();
        const QString target = QString::fromUtf8(relationship.attribute("Target").value());
        if (target.isEmpty())
            return QString();
        const QString path = QDir::cleanPath(
            target.startsWith(QLatin1Char('/')) ? tmpDir_ + target : tmpDir_ + QStringLiteral("/xl/") + target);
        // A relationship may not point outside the unpacked workbook.
        return path.startsWith(tmpDir_ + QLatin1Char('/')) ? path : QString();
    }
    return QString();
}

QString SpreadsheetWriter::sheetPartPath(int number) const
{
    pugi::xml_document workbook;
    QString error;
    if (number >= 1 && loadPackageXml(tmpDir_ + QStringLiteral("/xl/workbook.xml"), workbook, error)) {
        const pugi::xpath_node_set sheets = workbook.select_nodes(sheetsQuery);
        if (size_t(number) <= sheets.size()) {
            const QString target = partTarget(QString(), relationshipId(sheets[size_t(number) - 1].node()));
            if (!target.isEmpty())
                return target;
        }
    }
    return tmpDir_ + QStringLiteral("/xl/worksheets/sheet%1.xml").arg(number);
}

bool SpreadsheetWriter::usesDate1904() const
{
    pugi::xml_document workbook;
    QString error;
    if (!loadPackageXml(tmpDir_ + QStringLiteral("/xl/workbook.xml"), workbook, error))
        return false;
    const pugi::xpath_node properties
        = workbook.select_node("/*[local-name()='workbook']/*[local-name()='workbookPr']");
    const QString value = QString::fromUtf8(properties.node().attribute("date1904").value());
    return value == QStringLiteral("1") || value == QStringLiteral("true");
}

QStringList SpreadsheetWriter::Read_Sheet_Name()
{
    SpreadsheetWriter& self = instance();
    pugi::xml_document workbook;
    QString error;
    if (!loadPackageXml(self.tmpDir_ + QStringLiteral("/xl/workbook.xml"), workbook, error)) {
        Show_NSLog_Message(QStringLiteral("Error: ") + error);
        return {};
    }
    QStringList names;
    for (const pugi::xpath_node& sheet : workbook.select_nodes(sheetsQuery))
        names.append(QString::fromUtf8(sheet.node().attribute("name").value()));
    return names;
}

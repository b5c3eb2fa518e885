#include "data/SpreadsheetWriter.h"

#include "common/Logging.h"
#include "data/ProcessTempFolder.h"
#include "data/SSZipArchive.h"
#include "data/WorkbookXml.h"

#include <QDir>

int Excel_Sheet_Number = 1;
int Excel_Sheet_Columns = 1;

namespace {

const char* const sheetsQuery = "/*[local-name()='workbook']/*[local-name()='sheets']/*[local-name()='sheet']";
const char* const relationshipsQuery = "/*[local-name()='Relationships']/*[local-name()='Relationship']";
// The workbook and relationship parts take kilobytes; a document of more is not one to load.
constexpr qint64 smallPartLimit = qint64(64) << 20;

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
    Show_Debug_Message(QStringLiteral("Temp. directory initialized:\n %1").arg(tmpDir_));
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

bool SpreadsheetWriter::readSmallPart(const QString& partName, QByteArray& bytes, QString& error) const
{
    bytes.clear();
    const ZipReader::Entry* entry = archive_ ? archive_->find(partName) : nullptr;
    if (!entry) {
        error = QStringLiteral("%1 is missing").arg(partName.mid(partName.lastIndexOf(u'/') + 1));
        return false;
    }
    const ZipReader::Status status = archive_->read(*entry, smallPartLimit, [&bytes](const char* data, qint64 size) {
        bytes.append(data, size);
        return true;
    });
    if (status != ZipReader::Status::Ok) {
        error = SSZipArchive::readFailure(status, partName).message;
        return false;
    }
    return true;
}

bool SpreadsheetWriter::loadWorkbookPart(const QString& partName, pugi::xml_document& document, QString* why) const
{
    QByteArray bytes;
    QString error;
    if (readSmallPart(partName, bytes, error)
        && loadPackageXml(bytes, partName.mid(partName.lastIndexOf(u'/') + 1), document, error))
        return true;
    Show_NSLog_Message(QStringLiteral("Error: ") + error);
    if (why)
        *why = error;
    return false;
}

QString SpreadsheetWriter::partTarget(const QString& relationshipType, const QString& relationshipId) const
{
    pugi::xml_document relationships;
    if (!loadWorkbookPart(QStringLiteral("xl/_rels/workbook.xml.rels"), relationships))
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
        // Relative to the workbook's folder, or from the root of the package.
        const QString name
            = QDir::cleanPath(target.startsWith(QLatin1Char('/')) ? target.mid(1) : QStringLiteral("xl/") + target);
        // A relationship may not point outside the package.
        const bool outside = name == QStringLiteral("..") || name.startsWith(QStringLiteral("../"))
            || name.startsWith(QLatin1Char('/')) || name == QStringLiteral(".");
        return outside ? QString() : name;
    }
    return QString();
}

QString SpreadsheetWriter::sheetPartPath(int number) const
{
    pugi::xml_document workbook;
    if (number >= 1 && loadWorkbookPart(QStringLiteral("xl/workbook.xml"), workbook)) {
        const pugi::xpath_node_set sheets = workbook.select_nodes(sheetsQuery);
        if (size_t(number) <= sheets.size()) {
            const QString target = partTarget(QString(), relationshipId(sheets[size_t(number) - 1].node()));
            if (!target.isEmpty())
                return target;
        }
    }
    return QStringLiteral("xl/worksheets/sheet%1.xml").arg(number);
}

bool SpreadsheetWriter::usesDate1904() const
{
    pugi::xml_document workbook;
    if (!loadWorkbookPart(QStringLiteral("xl/workbook.xml"), workbook))
        return false;
    const pugi::xpath_node properties
        = workbook.select_node("/*[local-name()='workbook']/*[local-name()='workbookPr']");
    const QString value = QString::fromUtf8(properties.node().attribute("date1904").value());
    return value == QStringLiteral("1") || value == QStringLiteral("true");
}

QStringList SpreadsheetWriter::Read_Sheet_Name()
{
    SpreadsheetWriter& self = instance();
    self.lastError_.clear();
    pugi::xml_document workbook;
    if (!self.loadWorkbookPart(QStringLiteral("xl/workbook.xml"), workbook, &self.lastError_))
        return {};
    QStringList names;
    for (const pugi::xpath_node& sheet : workbook.select_nodes(sheetsQuery))
        names.append(QString::fromUtf8(sheet.node().attribute("name").value()));
    return names;
}

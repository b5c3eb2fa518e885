#include "data/WorkbookXml.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

namespace {

// More strings than cells a sheet may sensibly hold means a hostile part.
constexpr qsizetype maxSharedStrings = 10'000'000;

} // namespace

bool readRootElement(QXmlStreamReader& xml)
{
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
            xml.raiseError(QStringLiteral("XML with a document type declaration is refused"));
            return false;
        case QXmlStreamReader::StartElement:
            return true;
        default:
            break;
        }
    }
    if (!xml.hasError())
        xml.raiseError(QStringLiteral("no root element"));
    return false;
}

QString readRichText(QXmlStreamReader& xml)
{
    QString text;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"t") {
            text += xml.readElementText();
        } else if (xml.name() == u"r") {
            while (xml.readNextStartElement()) {
                if (xml.name() == u"t")
                    text += xml.readElementText();
                else
                    xml.skipCurrentElement();
            }
        } else {
            xml.skipCurrentElement(); // phonetic runs and properties are not part of the text
        }
    }
    return text;
}

QString describeXmlError(const QXmlStreamReader& xml, const QString& partName)
{
    return QStringLiteral("%1, line %2: %3").arg(partName).arg(xml.lineNumber()).arg(xml.errorString());
}

bool loadPackageXml(const QString& path, pugi::xml_document& document, QString& error)
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1 is missing").arg(name);
        return false;
    }
    const QByteArray bytes = file.readAll();
    // The DOCTYPE is kept as a node only so that it can be refused; pugixml never expands
    // entities beyond the five predefined ones.
    const pugi::xml_parse_result result =
        document.load_buffer(bytes.constData(), size_t(bytes.size()), pugi::parse_default | pugi::parse_doctype);
    if (!result) {
        error = QStringLiteral("%1: %2 at byte %3").arg(name, QString::fromUtf8(result.description())).arg(result.offset);
        return false;
    }
    for (pugi::xml_node node = document.first_child(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_doctype) {
            error = QStringLiteral("%1: XML with a document type declaration is refused").arg(name);
            return false;
        }
    }
    return true;
}

bool readSharedStringsPart(const QString& path, QStringList& strings, QString& error)
{
    strings.clear();
    const QString name = QStringLiteral("xl/") + QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1 cannot be read").arg(name);
        return false;
    }
    QXmlStreamReader xml(&file);
    if (!readRootElement(xml)) {
        error = describeXmlError(xml, name);
        return false;
    }
    if (xml.name() == u"sst") {
        while (xml.readNextStartElement()) {
            if (xml.name() != u"si") {
                xml.skipCurrentElement();
                continue;
            }
            if (strings.size() >= maxSharedStrings) {
                error = QStringLiteral("%1 holds too many strings").arg(name);
                strings.clear();
                return false;
            }
            strings.append(readRichText(xml));
        }
    }
    // Read to the end so that a part broken after its last item is still noticed.
    while (!xml.atEnd())
        xml.readNext();
    if (xml.hasError()) {
        error = describeXmlError(xml, name);
        strings.clear();
        return false;
    }
    return true;
}

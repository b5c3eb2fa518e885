#pragma once

#include <QString>
#include <QStringList>

#include <pugixml.hpp>

class QXmlStreamReader;

// Safe reading of workbook parts. Parts come from untrusted archives: a document type
// declaration (the carrier of entity definitions and entity bombs) refuses the whole part.

// Moves the stream reader to the root element; false (with the reader's error raised) for a
// DTD or broken XML before it, or when there is no root element.
bool readRootElement(QXmlStreamReader& xml);

// At the start of a shared-string item or an inline string: its whole text, formatting runs
// included and phonetic hints left out. Leaves the reader at the item's end element.
QString readRichText(QXmlStreamReader& xml);

// "part, line n: reason" for the reader's error.
QString describeXmlError(const QXmlStreamReader& xml, const QString& partName);

// Loads a small part (workbook, relationships) as a document for XPath queries.
// False with a message in error when the file is missing, broken or declares a DTD.
bool loadPackageXml(const QString& path, pugi::xml_document& document, QString& error);

// Reads the items of a shared-string part, in order, into strings.
// False with a message in error when the part is broken, hostile or holds too many items.
bool readSharedStringsPart(const QString& path, QStringList& strings, QString& error);

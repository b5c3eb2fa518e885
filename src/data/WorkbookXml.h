#pragma once

#include <QString>
#include <QStringList>

#include "data/WorkbookMemory.h"
#include "data/XmlStream.h"

#include <pugixml.hpp>

// Safe reading of workbook parts. Parts come from untrusted archives: a document type
// declaration (the carrier of entity definitions and entity bombs) refuses the whole part.

// Loads a small part (workbook, relationships) as a document for XPath queries; name is the
// part's file name, for messages. False with a message in error when the part is broken or
// declares a DTD.
bool loadPackageXml(const QByteArray& bytes, const QString& name, pugi::xml_document& document, QString& error);

// Reads the items of a shared-string part, in order, into strings: each item whole, its
// formatting runs joined and phonetic hints left out; bytes receives the memory they take.
// False with a message in error when the part is broken or hostile, or its strings would take
// more than memory allows.
bool readSharedStringsPart(const XmlStream::Source& source, const QString& partName, const WorkbookMemory& memory,
    QStringList& strings, qint64& bytes, QString& error);

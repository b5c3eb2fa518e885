#include "data/XmlStream.h"

#include <cstring>

namespace {

constexpr int chunkSize = 256 * 1024;

std::string_view localName(const char* name)
{
    // One pass over the name, remembering where the last prefix ended.
    const char* local = name;
    const char* end = name;
    for (; *end; ++end) {
        if (*end == ':')
            local = end + 1;
    }
    return std::string_view(local, size_t(end - local));
}

} // namespace

XmlStream::XmlStream(const QString& partName, Source source, Handler& handler)
    : partName_(partName)
    , source_(std::move(source))
    , handler_(handler)
{ }

XmlStream::~XmlStream()
{
    if (parser_)
        XML_ParserFree(parser_);
}

bool XmlStream::open()
{
    parser_ = XML_ParserCreate(nullptr);
    if (!parser_) {
        error_ = QStringLiteral("%1: out of memory").arg(partName_);
        return false;
    }
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, &XmlStream::onStart, &XmlStream::onEnd);
    XML_SetCharacterDataHandler(parser_, &XmlStream::onText);
    XML_SetStartDoctypeDeclHandler(parser_, &XmlStream::onDoctype);
    return true;
}

bool XmlStream::parseWhole()
{
    if (open()) {
        while (feed()) { }
    }
    return !failed();
}

bool XmlStream::feed()
{
    if (ended_ || failed() || !parser_)
        return false;
    void* buffer = XML_GetBuffer(parser_, chunkSize);
    if (!buffer) {
        fail(QStringLiteral("out of memory"));
        return false;
    }
    QString reason;
    const qint64 count = source_(static_cast<char*>(buffer), chunkSize, reason);
    if (count < 0) {
        // The archive's own reasons name the part already.
        error_ = reason.contains(partName_) ? reason : QStringLiteral("%1: %2").arg(partName_, reason);
        return false;
    }
    ended_ = count == 0;
    if (XML_ParseBuffer(parser_, int(count), ended_) != XML_STATUS_OK) {
        if (!failed())
            error_ = QStringLiteral("%1, line %2: %3")
                         .arg(partName_)
                         .arg(XML_GetCurrentLineNumber(parser_))
                         .arg(QString::fromUtf8(XML_ErrorString(XML_GetErrorCode(parser_))));
        return false;
    }
    return !ended_;
}

void XmlStream::fail(const QString& reason)
{
    if (failed())
        return;
    error_ = QStringLiteral("%1, line %2: %3").arg(partName_).arg(XML_GetCurrentLineNumber(parser_)).arg(reason);
    XML_StopParser(parser_, XML_FALSE);
}

const char* XmlStream::attribute(const char** attrs, std::string_view name)
{
    // Compared without measuring each name first: this runs for every cell of a sheet.
    for (; attrs && attrs[0]; attrs += 2) {
        if (std::strncmp(attrs[0], name.data(), name.size()) == 0 && attrs[0][name.size()] == '\0')
            return attrs[1];
    }
    return nullptr;
}

void XmlStream::onStart(void* self, const XML_Char* name, const XML_Char** attrs)
{
    auto* stream = static_cast<XmlStream*>(self);
    stream->handler_.startElement(localName(name), attrs);
}

void XmlStream::onEnd(void* self, const XML_Char* name)
{
    static_cast<XmlStream*>(self)->handler_.endElement(localName(name));
}

void XmlStream::onText(void* self, const XML_Char* text, int length)
{
    static_cast<XmlStream*>(self)->handler_.characters(std::string_view(text, size_t(length)));
}

void XmlStream::onDoctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*, int)
{
    static_cast<XmlStream*>(self)->fail(QStringLiteral("XML with a document type declaration is refused"));
}

#include "data/WorkbookXml.h"

#include "data/CellText.h"

#include <algorithm>
#include <string>

namespace {

constexpr qint64 listEntryBytes = sizeof(QString);

// sst / si / t, or sst / si / r / t; everything else in an item (phonetic runs) is skipped.
class SharedStringsHandler final : public XmlStream::Handler
{
public:
    SharedStringsHandler(QStringList& strings, const WorkbookMemory& memory, XmlStream*& stream)
        : strings_(strings)
        , memory_(memory)
        , stream_(stream)
    { }

    qint64 bytes() const { return bytes_; }

    void startElement(std::string_view name, const char** attrs) override
    {
        ++depth_;
        if (depth_ == 1) {
            isSst_ = name == "sst";
            if (isSst_)
                reserve(XmlStream::attribute(attrs, "uniqueCount"));
        } else if (!isSst_)
            return;
        else if (depth_ == 2 && name == "si") {
            inItem_ = true;
            item_.clear();
        } else if (inItem_ && depth_ == 3 && name == "r")
            inRun_ = true;
        else if (inItem_ && name == "t" && (depth_ == 3 || (depth_ == 4 && inRun_))) {
            capture_ = true;
            text_.clear();
        }
    }

    void endElement(std::string_view) override
    {
        if (capture_) {
            // Escapes belong to one text element; runs are decoded one by one.
            capture_ = false;
            item_ += cellTextFromUtf8(text_.data(), qsizetype(text_.size()));
            if (item_.size() > maxCellCharacters)
                tooLong();
        }
        if (depth_ == 3)
            inRun_ = false;
        if (depth_ == 2 && inItem_) {
            inItem_ = false;
            bytes_ += listEntryBytes + WorkbookMemory::textBytes(item_.size());
            if (bytes_ > memory_.limit)
                stream_->fail(QStringLiteral("the shared strings are too large to read: %1").arg(memory_.reason));
            else
                strings_.append(item_);
        }
        --depth_;
    }

    void characters(std::string_view text) override
    {
        if (!capture_)
            return;
        if (text_.size() + text.size() > maxCellTextBytes)
            tooLong();
        else
            text_.append(text);
    }

private:
    // Growing a list of millions by doubling copies it many times and briefly holds it twice;
    // the stated count is trusted only as far as the memory limit goes.
    void reserve(const char* count)
    {
        const qint64 stated = count ? QByteArray(count).toLongLong() : 0;
        strings_.reserve(qsizetype(std::clamp<qint64>(stated, 0, memory_.limit / (listEntryBytes * 4))));
    }

    void tooLong()
    {
        capture_ = false;
        stream_->fail(QStringLiteral("a text is longer than %1 characters").arg(maxCellCharacters));
    }

    QStringList& strings_;
    const WorkbookMemory& memory_;
    XmlStream*& stream_;
    std::string text_; // the current text element, as it arrives
    QString item_;
    qint64 bytes_ = 0;
    int depth_ = 0;
    bool isSst_ = false;
    bool inItem_ = false;
    bool inRun_ = false;
    bool capture_ = false;
};

} // namespace

bool loadPackageXml(const QByteArray& bytes, const QString& name, pugi::xml_document& document, QString& error)
{
    // The DOCTYPE is kept as a node only so that it can be refused; pugixml never expands
    // entities beyond the five predefined ones.
    const pugi::xml_parse_result result
        = document.load_buffer(bytes.constData(), size_t(bytes.size()), pugi::parse_default | pugi::parse_doctype);
    if (!result) {
        error
            = QStringLiteral("%1: %2 at byte %3").arg(name, QString::fromUtf8(result.description())).arg(result.offset);
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

bool readSharedStringsPart(const XmlStream::Source& source, const QString& partName, const WorkbookMemory& memory,
    QStringList& strings, qint64& bytes, QString& error)
{
    strings.clear();
    bytes = 0;
    XmlStream* streamPointer = nullptr;
    SharedStringsHandler handler(strings, memory, streamPointer);
    XmlStream stream(partName, source, handler);
    streamPointer = &stream;
    if (!stream.parseWhole()) {
        error = stream.errorString();
        strings.clear();
        strings.squeeze();
        return false;
    }
    bytes = handler.bytes();
    return true;
}

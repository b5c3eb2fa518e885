#include "data/CellStyles.h"

#include "data/CellText.h"

#include <charconv>
#include <cstring>

namespace {

// The largest number-format id a workbook may use.
constexpr int maxFormatId = 0xFFFF;

// styleSheet / numFmts / numFmt, and styleSheet / cellXfs / xf; the other style lists are not
// needed to show a value.
class StylesHandler final : public XmlStream::Handler
{
public:
    StylesHandler(CellStyles& styles, XmlStream*& stream)
        : styles_(styles)
        , stream_(stream)
    { }

    void startElement(std::string_view name, const char** attrs) override
    {
        ++depth_;
        if (depth_ == 1) {
            isStyleSheet_ = name == "styleSheet";
        } else if (!isStyleSheet_) {
            return;
        } else if (depth_ == 2) {
            list_ = name == "numFmts" ? List::NumberFormats : name == "cellXfs" ? List::CellStyles : List::None;
        } else if (depth_ == 3 && list_ == List::NumberFormats && name == "numFmt") {
            numberFormat(attrs);
        } else if (depth_ == 3 && list_ == List::CellStyles && name == "xf") {
            cellStyle(attrs);
        }
    }

    void endElement(std::string_view) override
    {
        if (depth_ == 2)
            list_ = List::None;
        --depth_;
    }

    void characters(std::string_view) override { }

private:
    enum class List
    {
        None,
        NumberFormats,
        CellStyles
    };

    // The id of a numFmt or xf; -1 (with the parse failed) for one that is not a valid id.
    int formatId(const char** attrs)
    {
        const char* text = XmlStream::attribute(attrs, "numFmtId");
        if (!text)
            return 0;
        const char* last = text + std::strlen(text);
        int id = -1;
        const auto [end, status] = std::from_chars(text, last, id);
        if (status != std::errc() || end != last || id < 0 || id > maxFormatId) {
            stream_->fail(QStringLiteral("number format id \"%1\" is not valid").arg(QString::fromUtf8(text)));
            return -1;
        }
        return id;
    }

    void numberFormat(const char** attrs)
    {
        const int id = formatId(attrs);
        if (id < 0)
            return;
        const char* code = XmlStream::attribute(attrs, "formatCode");
        const QString text = code ? cellTextFromUtf8(code, qsizetype(std::strlen(code))) : QString();
        if (text.size() > CellStyles::maxCodeCharacters) {
            stream_->fail(
                QStringLiteral("a number format is longer than %1 characters").arg(CellStyles::maxCodeCharacters));
            return;
        }
        if (codes_.size() >= CellStyles::maxStyles) {
            stream_->fail(
                QStringLiteral("the workbook defines more than %1 number formats").arg(CellStyles::maxStyles));
            return;
        }
        codes_.insert(id, text);
    }

    void cellStyle(const char** attrs)
    {
        const int id = formatId(attrs);
        if (id < 0)
            return;
        if (styles_.count() >= CellStyles::maxStyles) {
            stream_->fail(QStringLiteral("the workbook has more than %1 cell styles").arg(CellStyles::maxStyles));
            return;
        }
        const auto defined = codes_.constFind(id);
        styles_.addStyle(id, defined == codes_.cend() ? nullptr : &*defined);
    }

    CellStyles& styles_;
    XmlStream*& stream_;
    // The workbook's own codes by id; they come before the styles that use them.
    QHash<int, QString> codes_;
    int depth_ = 0;
    bool isStyleSheet_ = false;
    List list_ = List::None;
};

} // namespace

void CellStyles::clear()
{
    *this = CellStyles();
}

void CellStyles::addStyle(int formatId, const QString* definedCode)
{
    const auto known = formatIndexes_.constFind(formatId);
    if (known != formatIndexes_.cend()) {
        styleFormats_.push_back(*known);
        return;
    }
    // The code's text is shared with the styles part's reader, not copied.
    formats_.push_back(Format { formatId, definedCode != nullptr, definedCode ? *definedCode : QString(), nullptr });
    const auto index = quint32(formats_.size() - 1);
    formatIndexes_.insert(formatId, index);
    styleFormats_.push_back(index);
}

const CellFormat& CellStyles::format(qsizetype style) const
{
    static const CellFormat general;
    const Format& format = formats_[styleFormats_[size_t(style)]];
    if (format.compiled)
        return *format.compiled;
    if (exceeded_)
        return general;
    auto compiled
        = std::make_unique<CellFormat>(format.defined ? CellFormat::fromCode(format.code) : CellFormat::builtIn(format.id));
    const qint64 bytes = compiled->memoryBytes();
    if (bytes > memoryLimit_ - compiledBytes_) {
        exceeded_ = true;
        return general;
    }
    compiledBytes_ += bytes;
    format.compiled = std::move(compiled);
    return *format.compiled;
}

bool readStylesPart(const XmlStream::Source& source, const QString& partName, CellStyles& styles, QString& error)
{
    styles.clear();
    XmlStream* streamPointer = nullptr;
    StylesHandler handler(styles, streamPointer);
    XmlStream stream(partName, source, handler);
    streamPointer = &stream;
    if (!stream.parseWhole()) {
        error = stream.errorString();
        styles.clear();
        return false;
    }
    return true;
}

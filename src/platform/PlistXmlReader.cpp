#include "platform/PlistXmlReader.h"

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>

#include <expat.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char notAList[] = "The data is not a property list.";
const char nulCharacter[] = "The property list holds a NUL character.";
const char tooDeep[] = "The property list nests too deeply.";

// XML may not carry control characters other than tab, line feed and carriage return, nor the
// non-characters U+FFFE and U+FFFF, but the writer puts them into strings as they are. They pass
// the parser as the private-use characters U+E001 to U+E01F (controls) and U+E020, U+E021 and
// turn back in the text; a character of U+E000 to U+E021 that is in the file itself passes behind
// U+E000. All are three bytes: EE 80 80+n.
constexpr unsigned char maskLead = 0xEE;
constexpr unsigned char maskSecond = 0x80;
constexpr unsigned char maskBase = 0x80;
constexpr unsigned char maskFirstNonCharacter = 0xA0;
constexpr unsigned char maskLast = 0xA1;
// U+FFFE and U+FFFF: EF BF BE and EF BF BF.
constexpr unsigned char nonCharacterLead = 0xEF;

bool isMaskedControl(unsigned char c)
{
    return c != 0 && c < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

bool isMaskRange(const unsigned char* at)
{
    return at[0] == maskLead && at[1] == maskSecond && at[2] >= maskBase && at[2] <= maskLast;
}

bool isNonCharacter(const unsigned char* at)
{
    return at[0] == nonCharacterLead && at[1] == 0xBF && (at[2] == 0xBE || at[2] == 0xBF);
}

// Turns masked control characters back, in a string's or key's text.
void unmask(std::string& text)
{
    if (text.find("\xEE\x80") == std::string::npos)
        return;
    std::string plain;
    plain.reserve(text.size());
    const auto* at = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = at + text.size();
    while (at < end) {
        if (end - at >= 6 && isMaskRange(at) && at[2] == maskBase && isMaskRange(at + 3)) {
            plain.append(reinterpret_cast<const char*>(at + 3), 3);
            at += 6;
        } else if (end - at >= 3 && isMaskRange(at) && at[2] >= maskFirstNonCharacter) {
            const char nonCharacter[]
                = { char(nonCharacterLead), char(0xBF), char(0xBE + at[2] - maskFirstNonCharacter) };
            plain.append(nonCharacter, 3);
            at += 3;
        } else if (end - at >= 3 && isMaskRange(at) && at[2] != maskBase) {
            plain += char(at[2] - maskBase);
            at += 3;
        } else {
            plain += char(*at++);
        }
    }
    text.swap(plain);
}

// "&#0;", "&#x00;" and the like.
bool isNulReference(const char* at, const char* end)
{
    if (end - at < 2 || at[0] != '&' || at[1] != '#')
        return false;
    at += 2;
    if (at < end && (*at == 'x' || *at == 'X'))
        ++at;
    const char* digits = at;
    while (at < end && *at == '0')
        ++at;
    return at > digits && at < end && *at == ';';
}

std::string_view trimmed(const std::string& text)
{
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    size_t begin = 0, end = text.size();
    while (begin < end && space(text[begin]))
        ++begin;
    while (end > begin && space(text[end - 1]))
        --end;
    return std::string_view(text).substr(begin, end - begin);
}

// As written: decimal with a sign; hexadecimal and octal forms read too. Values past the signed
// range are kept two's complement.
qint64 integerFrom(const std::string& text)
{
    std::string digits(trimmed(text));
    const char* at = digits.c_str();
    const bool negative = *at == '-';
    if (*at == '-' || *at == '+')
        ++at;
    const unsigned long long value = std::strtoull(at, nullptr, 0);
    return qint64(negative ? 0 - value : value);
}

double realFrom(const std::string& text)
{
    std::string_view digits = trimmed(text);
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    double value = 0.0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

// Whole seconds since 2001-01-01 UTC, as the list's dates count.
PlistDate dateFrom(const std::string& text)
{
    const QDateTime date = QDateTime::fromString(QString::fromLatin1(trimmed(text)), Qt::ISODate);
    if (!date.isValid())
        return {};
    constexpr qint64 referenceFromEpoch = 978307200;
    return PlistDate { double(date.toTimeZone(QTimeZone::utc()).toSecsSinceEpoch() - referenceFromEpoch) };
}

} // namespace

struct PlistXmlReader::Parse
{
    enum class Scalar
    {
        None,
        Key,
        String,
        Integer,
        Real,
        Date,
        Data,
        True,
        False
    };
    // An array or dictionary being filled.
    struct Open
    {
        PlistValue value;
        QString key;
        bool hasKey = false;
    };

    XML_Parser parser = nullptr;
    int maxNesting = 0;
    std::vector<Open> open;
    bool inPlist = false;
    Scalar scalar = Scalar::None;
    std::string text;
    PlistValue root;
    bool hasRoot = false;
    QString error;
    std::string masked;
    std::string held; // the first bytes of a mask-range character cut off at a piece's end
    PlistKeyCache keys;

    void fail(const char* reason)
    {
        if (error.isEmpty())
            error = QString::fromLatin1(reason);
        XML_StopParser(parser, XML_FALSE);
    }

    void add(PlistValue value)
    {
        if (open.empty()) {
            if (hasRoot)
                return fail(notAList);
            root = std::move(value);
            hasRoot = true;
            return;
        }
        Open& into = open.back();
        if (into.value.isArray()) {
            into.value.array().push_back(std::move(value));
            return;
        }
        if (!into.hasKey)
            return fail(notAList);
        into.value.dict().insert(into.key, std::move(value));
        into.hasKey = false;
    }

    void start(const char* name)
    {
        if (scalar != Scalar::None)
            return fail(notAList);
        const bool array = std::strcmp(name, "array") == 0;
        if (array || std::strcmp(name, "dict") == 0) {
            if (int(open.size()) >= maxNesting)
                return fail(tooDeep);
            open.push_back({ array ? PlistValue(PlistArray {}) : PlistValue(PlistDict {}), {}, false });
            return;
        }
        static const std::pair<const char*, Scalar> scalars[] = { { "key", Scalar::Key }, { "string", Scalar::String },
            { "integer", Scalar::Integer }, { "real", Scalar::Real }, { "date", Scalar::Date },
            { "data", Scalar::Data }, { "true", Scalar::True }, { "false", Scalar::False } };
        for (const auto& [tag, kind] : scalars) {
            if (std::strcmp(name, tag) == 0) {
                if (kind == Scalar::Key && (open.empty() || !open.back().value.isDict() || open.back().hasKey))
                    return fail(notAList);
                scalar = kind;
                text.clear();
                return;
            }
        }
        if (std::strcmp(name, "plist") == 0 && !inPlist && open.empty() && !hasRoot) {
            inPlist = true;
            return;
        }
        fail(notAList);
    }

    void end()
    {
        if (scalar == Scalar::None) {
            if (open.empty())
                return; // </plist>
            PlistValue value = std::move(open.back().value);
            const bool danglingKey = open.back().hasKey;
            open.pop_back();
            if (danglingKey)
                return fail(notAList);
            if (value.isDict())
                keys.settle(value.dict());
            add(value.isDict() ? uidOrDict(std::move(value)) : std::move(value));
            return;
        }
        const Scalar kind = std::exchange(scalar, Scalar::None);
        switch (kind) {
        case Scalar::Key:
            unmask(text);
            open.back().key = keys.key(text.data(), text.size());
            open.back().hasKey = true;
            break;
        case Scalar::String:
            unmask(text);
            add(PlistValue(QString::fromUtf8(text.data(), qsizetype(text.size()))));
            break;
        case Scalar::Integer:
            add(PlistValue(integerFrom(text)));
            break;
        case Scalar::Real:
            add(PlistValue(realFrom(text)));
            break;
        case Scalar::Date:
            add(PlistValue(dateFrom(text)));
            break;
        case Scalar::Data:
            add(PlistValue(QByteArray::fromBase64(QByteArray::fromRawData(text.data(), qsizetype(text.size())))));
            break;
        case Scalar::True:
        case Scalar::False:
            add(PlistValue(kind == Scalar::True));
            break;
        case Scalar::None:
            break;
        }
        // A long text's buffer is not kept for the short ones that follow.
        if (text.capacity() > (1u << 20))
            std::string().swap(text);
    }

    // XML has no reference element: a keyed archive's references are written as {"CF$UID": n}.
    static PlistValue uidOrDict(PlistValue value)
    {
        const PlistDict& dict = value.toDict();
        const PlistValue* uid = dict.size() == 1 ? dict.find(QStringLiteral("CF$UID")) : nullptr;
        if (uid && uid->isInteger() && uid->toInteger() >= 0)
            return PlistValue(PlistUid { quint64(uid->toInteger()) });
        return value;
    }

    void characters(const char* data, int length)
    {
        if (scalar == Scalar::None || scalar == Scalar::True || scalar == Scalar::False)
            return; // layout between elements
        // The parser reads every line end as a line feed; the text keeps a carriage return as
        // the file has it.
        if (length == 1 && data[0] == '\n') {
            const int rawLength = XML_GetCurrentByteCount(parser);
            int offset = 0, size = 0;
            const char* raw = XML_GetInputContext(parser, &offset, &size);
            if (rawLength == 2) {
                text += "\r\n";
                return;
            }
            if (rawLength == 1 && raw && offset < size && raw[offset] == '\r') {
                text += '\r';
                return;
            }
        }
        text.append(data, size_t(length));
    }

    // The piece as the parser takes it, control characters masked; false on a NUL.
    bool mask(const char* bytes, size_t size, bool last, const char*& out, size_t& outSize)
    {
        // The last piece may be empty, with no bytes to look at.
        if (size > 0 && std::memchr(bytes, '\0', size)) {
            error = QString::fromLatin1(nulCharacter);
            return false;
        }
        const auto* at = reinterpret_cast<const unsigned char*>(bytes);
        const auto* end = at + size;
        const auto needsMask
            = [](unsigned char c) { return c == maskLead || c == nonCharacterLead || isMaskedControl(c); };
        if (held.empty() && std::none_of(at, end, needsMask)) {
            out = bytes;
            outSize = size;
            return true;
        }
        masked.clear();
        std::string joined;
        if (!held.empty()) {
            joined = held + std::string(bytes, size);
            held.clear();
            at = reinterpret_cast<const unsigned char*>(joined.data());
            end = at + joined.size();
        }
        while (at < end) {
            const auto* special = std::find_if(at, end, needsMask);
            masked.append(reinterpret_cast<const char*>(at), size_t(special - at));
            at = special;
            if (at == end)
                break;
            if (isMaskedControl(*at)) {
                const char three[] = { char(maskLead), char(maskSecond), char(maskBase + *at) };
                masked.append(three, 3);
                ++at;
            } else if (end - at < 3 && !last) {
                held.assign(reinterpret_cast<const char*>(at), size_t(end - at));
                break;
            } else if (end - at >= 3 && isMaskRange(at)) {
                const char escape[] = { char(maskLead), char(maskSecond), char(maskBase) };
                masked.append(escape, 3);
                masked.append(reinterpret_cast<const char*>(at), 3);
                at += 3;
            } else if (end - at >= 3 && isNonCharacter(at)) {
                const char three[] = { char(maskLead), char(maskSecond), char(maskFirstNonCharacter + at[2] - 0xBE) };
                masked.append(three, 3);
                at += 3;
            } else {
                masked += char(*at++);
            }
        }
        out = masked.data();
        outSize = masked.size();
        return true;
    }

    // The reason the parser stopped at, when no handler gave one.
    QString parserError() const
    {
        if (XML_GetErrorCode(parser) == XML_ERROR_BAD_CHAR_REF) {
            int offset = 0, size = 0;
            const char* context = XML_GetInputContext(parser, &offset, &size);
            if (context && offset < size && isNulReference(context + offset, context + size))
                return QString::fromLatin1(nulCharacter);
        }
        return QString::fromLatin1(notAList);
    }
};

PlistXmlReader::PlistXmlReader(int maxNesting)
    : parse_(std::make_unique<Parse>())
{
    Parse& parse = *parse_;
    parse.maxNesting = maxNesting;
    // Read as UTF-8 whatever the document declares, as the writer writes it.
    parse.parser = XML_ParserCreate("UTF-8");
    if (!parse.parser)
        throw std::bad_alloc();
    XML_SetUserData(parse.parser, &parse);
    XML_SetElementHandler(
        parse.parser,
        [](void* data, const XML_Char* name, const XML_Char**) { static_cast<Parse*>(data)->start(name); },
        [](void* data, const XML_Char*) { static_cast<Parse*>(data)->end(); });
    XML_SetCharacterDataHandler(parse.parser,
        [](void* data, const XML_Char* text, int length) { static_cast<Parse*>(data)->characters(text, length); });
    // A property list declares no entities; one that does could expand a few bytes into many.
    XML_SetEntityDeclHandler(parse.parser,
        [](void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*, const XML_Char*, const XML_Char*,
            const XML_Char*) { static_cast<Parse*>(data)->fail(notAList); });
    // Under a DOCTYPE naming an outside subset (never read), a reference to an undeclared entity
    // would read as nothing: it is refused with its name rather than dropped from its string.
    XML_SetSkippedEntityHandler(parse.parser, [](void* data, const XML_Char* name, int parameterEntity) {
        Parse& parse = *static_cast<Parse*>(data);
        if (parse.error.isEmpty())
            parse.error = QStringLiteral("The property list refers to the entity \"%1%2;\", which it does not declare.")
                              .arg(QLatin1String(parameterEntity ? "%" : "&"), QString::fromUtf8(name).left(80));
        XML_StopParser(parse.parser, XML_FALSE);
    });
}

PlistXmlReader::~PlistXmlReader()
{
    XML_ParserFree(parse_->parser);
}

bool PlistXmlReader::feed(const char* bytes, size_t size, bool last)
{
    Parse& parse = *parse_;
    if (!parse.error.isEmpty())
        return false;
    // The parser takes pieces of at most an int's length.
    constexpr size_t piece = size_t(1) << 20;
    do {
        const size_t length = std::min(size, piece);
        const bool final = last && length == size;
        const char* masked = nullptr;
        size_t maskedSize = 0;
        if (!parse.mask(bytes, length, final, masked, maskedSize))
            return false;
        if (XML_Parse(parse.parser, masked, int(maskedSize), final) != XML_STATUS_OK) {
            if (parse.error.isEmpty())
                parse.error = parse.parserError();
            return false;
        }
        bytes += length;
        size -= length;
    } while (size > 0);
    return parse.error.isEmpty();
}

PlistValue PlistXmlReader::take(QString* error)
{
    Parse& parse = *parse_;
    if (parse.error.isEmpty() && !parse.hasRoot)
        parse.error = QString::fromLatin1(notAList);
    if (!parse.error.isEmpty()) {
        if (error)
            *error = parse.error;
        return {};
    }
    return std::move(parse.root);
}

PlistValue PlistXmlReader::read(const char* bytes, size_t size, int maxNesting, QString* error)
{
    PlistXmlReader reader(maxNesting);
    reader.feed(bytes, size, true);
    return reader.take(error);
}

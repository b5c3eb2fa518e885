#include "platform/PropertyList.h"

#include "platform/CheckedWrite.h"
#include "platform/PlistNesting.h"
#include "platform/PlistXmlReader.h"

#include <QFile>

#include <plist/plist.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>

namespace {

struct PlistDeleter
{
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using PlistNode = std::unique_ptr<void, PlistDeleter>;

struct MallocDeleter
{
    void operator()(char* text) const { std::free(text); }
};
using MallocText = std::unique_ptr<char, MallocDeleter>;

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

// Converts a libplist tree; false when it nests deeper than allowed.
bool fromNode(plist_t node, int depth, PlistValue& out, PlistKeyCache& keys)
{
    if (depth > PropertyList::maxNesting)
        return false;
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist_get_bool_val(node, &value);
        out = PlistValue(value != 0);
        return true;
    }
    case PLIST_UINT: {
        uint64_t value = 0;
        plist_get_uint_val(node, &value);
        // Signed integers are kept two's complement in the unsigned slot.
        out = PlistValue(qint64(value));
        return true;
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        out = PlistValue(value);
        return true;
    }
    case PLIST_STRING:
    case PLIST_KEY: {
        char* text = nullptr;
        if (plist_get_node_type(node) == PLIST_STRING)
            plist_get_string_val(node, &text);
        else
            plist_get_key_val(node, &text);
        MallocText owned(text);
        out = PlistValue(QString::fromUtf8(text ? text : ""));
        return true;
    }
    case PLIST_DATA: {
        char* bytes = nullptr;
        uint64_t length = 0;
        plist_get_data_val(node, &bytes, &length);
        MallocText owned(bytes);
        if (length > uint64_t(std::numeric_limits<int>::max()))
            return false;
        out = PlistValue(QByteArray(bytes ? bytes : "", bytes ? qsizetype(length) : 0));
        return true;
    }
    case PLIST_DATE: {
        int32_t seconds = 0, microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        out = PlistValue(PlistDate { seconds + microseconds / 1e6 });
        return true;
    }
    case PLIST_UID: {
        uint64_t value = 0;
        plist_get_uid_val(node, &value);
        out = PlistValue(PlistUid { value });
        return true;
    }
    case PLIST_ARRAY: {
        PlistArray array;
        array.reserve(plist_array_get_size(node));
        // The iterator follows the items' links; fetching item i by index walks from the first
        // item every time, which makes long arrays quadratic.
        plist_array_iter iter = nullptr;
        plist_array_new_iter(node, &iter);
        bool ok = iter != nullptr;
        while (ok) {
            plist_t item = nullptr;
            plist_array_next_item(node, iter, &item);
            if (!item)
                break;
            PlistValue value;
            ok = fromNode(item, depth + 1, value, keys);
            array.push_back(std::move(value));
        }
        std::free(iter);
        if (!ok)
            return false;
        out = PlistValue(std::move(array));
        return true;
    }
    case PLIST_DICT: {
        PlistDict dict;
        plist_dict_iter iter = nullptr;
        plist_dict_new_iter(node, &iter);
        bool ok = true;
        while (iter) {
            char* key = nullptr;
            plist_t item = nullptr;
            plist_dict_next_item(node, iter, &key, &item);
            MallocText ownedKey(key);
            if (!item)
                break;
            PlistValue value;
            if (!fromNode(item, depth + 1, value, keys)) {
                ok = false;
                break;
            }
            dict.insert(keys.key(key ? key : "", key ? std::strlen(key) : 0), std::move(value));
        }
        std::free(iter);
        if (!ok)
            return false;
        keys.settle(dict);
        // XML has no UID element: references are written as {"CF$UID": n}.
        const PlistValue* uid = dict.size() == 1 ? dict.find(QStringLiteral("CF$UID")) : nullptr;
        if (uid && uid->isInteger() && uid->toInteger() >= 0)
            out = PlistValue(PlistUid { quint64(uid->toInteger()) });
        else
            out = PlistValue(std::move(dict));
        return true;
    }
    default:
        return false;
    }
}

plist_t toNode(const PlistValue& value)
{
    switch (value.type()) {
    case PlistValue::Type::Boolean:
        return plist_new_bool(value.toBool() ? 1 : 0);
    case PlistValue::Type::Integer:
        return plist_new_uint(uint64_t(value.toInteger()));
    case PlistValue::Type::Real:
        return plist_new_real(value.toReal());
    case PlistValue::Type::String:
        return plist_new_string(value.toString().toUtf8().constData());
    case PlistValue::Type::Data: {
        const QByteArray data = value.toData();
        return plist_new_data(data.constData(), uint64_t(data.size()));
    }
    case PlistValue::Type::Uid:
        return plist_new_uid(value.toUid().value);
    case PlistValue::Type::Date: {
        // The library keeps dates as 32-bit seconds: clamp rather than overflow.
        double seconds = value.toDate().seconds;
        if (!std::isfinite(seconds))
            seconds = 0;
        seconds = std::clamp(
            seconds, double(std::numeric_limits<int32_t>::min()), double(std::numeric_limits<int32_t>::max()));
        const double whole = std::floor(seconds);
        return plist_new_date(int32_t(whole), int32_t((seconds - whole) * 1e6));
    }
    case PlistValue::Type::Array: {
        plist_t array = plist_new_array();
        for (const PlistValue& item : value.toArray())
            plist_array_append_item(array, toNode(item));
        return array;
    }
    case PlistValue::Type::Dict: {
        plist_t dict = plist_new_dict();
        const PlistDict& entries = value.toDict();
        for (qsizetype i = 0; i < entries.size(); ++i)
            plist_dict_set_item(dict, entries.keyAt(i).toUtf8().constData(), toNode(entries.valueAt(i)));
        return dict;
    }
    case PlistValue::Type::None:
        break;
    }
    // "No value" has no property-list form; an empty string keeps the structure valid.
    return plist_new_string("");
}

// The parser reads UTF-8 only. XML in UTF-16 starts with its byte-order mark, or with its "<"
// beside a NUL byte, which no UTF-8 text holds.
bool isUtf16(const char* bytes, size_t size)
{
    if (size < 2)
        return false;
    const auto* start = reinterpret_cast<const unsigned char*>(bytes);
    return (start[0] == 0xFF && start[1] == 0xFE) || (start[0] == 0xFE && start[1] == 0xFF)
        || (start[0] == '<' && start[1] == 0) || (start[0] == 0 && start[1] == '<');
}

const QString utf16Reason
    = QStringLiteral("The property list is written in UTF-16, which this program does not read. Save it as UTF-8.");

bool isBinary(const char* bytes, size_t size)
{
    return plist_is_binary(bytes, uint32_t(std::min<size_t>(size, std::numeric_limits<uint32_t>::max())));
}

PlistValue readBinary(const QByteArray& bytes, QString* error)
{
    if (quint64(bytes.size()) > std::numeric_limits<uint32_t>::max()) {
        fail(error, QStringLiteral("The property list is too large."));
        return {};
    }
    QString nestingError;
    if (!PlistNesting::withinLimit(bytes, PropertyList::maxNesting, &nestingError)) {
        fail(error, nestingError);
        return {};
    }
    plist_t root = nullptr;
    plist_from_bin(bytes.constData(), uint32_t(bytes.size()), &root);
    PlistNode owned(root);
    if (!root) {
        fail(error, QStringLiteral("The binary property list is damaged."));
        return {};
    }
    PlistValue value;
    PlistKeyCache keys;
    if (!fromNode(root, 0, value, keys)) {
        fail(error, QStringLiteral("The property list nests too deeply or holds an unreadable value."));
        return {};
    }
    return value;
}

} // namespace

PlistValue PropertyList::read(const QByteArray& bytes, QString* error)
{
    if (bytes.isEmpty()) {
        fail(error, QStringLiteral("The property list is empty."));
        return {};
    }
    if (isBinary(bytes.constData(), size_t(bytes.size())))
        return readBinary(bytes, error);
    if (isUtf16(bytes.constData(), size_t(bytes.size()))) {
        fail(error, utf16Reason);
        return {};
    }
    return PlistXmlReader::read(bytes.constData(), size_t(bytes.size()), maxNesting, error);
}

QByteArray PropertyList::write(const PlistValue& value, Format format)
{
    PlistNode root(toNode(value));
    char* bytes = nullptr;
    uint32_t length = 0;
    if (format == Format::Binary)
        plist_to_bin(static_cast<plist_t>(root.get()), &bytes, &length);
    else
        plist_to_xml(static_cast<plist_t>(root.get()), &bytes, &length);
    QByteArray result(bytes, bytes ? qsizetype(length) : 0);
    if (format == Format::Binary)
        plist_to_bin_free(bytes);
    else
        plist_to_xml_free(bytes);
    return result;
}

PlistValue PropertyList::readFile(const QString& path, QString* error, qint64 maxBytes)
{
    // The XML form goes to the parser piece by piece as it is read, so that the file's bytes are
    // never held beside what they become; the binary form is read whole, as its tables need.
    const qsizetype binaryMarker = 8;
    QByteArray head;
    std::optional<PlistXmlReader> xml;
    bool utf16 = false;
    const auto take = [&](const char* bytes, qsizetype size) {
        if (xml)
            return xml->feed(bytes, size_t(size), false);
        head.append(bytes, size);
        if (head.size() >= binaryMarker && !isBinary(head.constData(), size_t(head.size()))) {
            utf16 = isUtf16(head.constData(), size_t(head.size()));
            if (utf16)
                return false;
            xml.emplace(maxNesting);
            const bool fed = xml->feed(head.constData(), size_t(head.size()), false);
            head = QByteArray();
            return fed;
        }
        return true;
    };
    QString reason;
    if (!SafeRead::readRegularFileInPieces(path, maxBytes, take, &reason)) {
        if (!reason.isEmpty()) {
            fail(error, QStringLiteral("Cannot open \"%1\": %2").arg(path, reason));
            return {};
        }
        if (utf16) {
            fail(error, utf16Reason);
            return {};
        }
        return xml->take(error);
    }
    if (!xml)
        return read(head, error);
    xml->feed(nullptr, 0, true);
    return xml->take(error);
}

bool PropertyList::writeFile(const QString& path, const PlistValue& value, Format format, QString* error,
    qint64 maxBytes, CheckedWriteOptions options)
{
    const QByteArray bytes = write(value, format);
    if (bytes.isEmpty())
        return fail(error, QStringLiteral("The property list could not be written."));
    if (bytes.size() > maxBytes) {
        constexpr double megabyte = 1024.0 * 1024.0;
        return fail(error,
            QStringLiteral("\"%1\" is not written: it would take %2 MB, more than the %3 MB such a "
                           "file may hold to be opened again.")
                .arg(path)
                .arg(std::ceil(double(bytes.size()) / megabyte), 0, 'f', 0)
                .arg(double(maxBytes) / megabyte, 0, 'f', 0));
    }
    QString reason;
    if (!writeFileChecked(path, bytes, &reason, options))
        return fail(error, QStringLiteral("Cannot write \"%1\": %2").arg(path, reason));
    return true;
}

#include "platform/ArchiveDecoding.h"

#include "platform/ArchiveReader.h"

#include <algorithm>

namespace ArchiveDecoding {

namespace {
// Objects one decoding may visit: far above any real card object, far below a blow-up.
constexpr int visitBudget = 100000;
} // namespace

const PlistValue* Context::enter(const PlistValue& value)
{
    if (!value.isUid())
        return &value; // a value standing in place
    const quint64 uid = value.toUid().value;
    if (uid == 0)
        return nullptr; // "$null"
    const PlistValue* object = reader_.object(value.toUid());
    if (!object || int(path_.size()) >= ArchiveReader::maxDepth || ++visits_ > visitBudget
        || std::find(path_.begin(), path_.end(), uid) != path_.end())
        return nullptr;
    path_.push_back(uid);
    return object;
}

void Context::leave(const PlistValue& value)
{
    if (value.isUid() && !path_.empty())
        path_.pop_back();
}

bool isOfClass(const Context& context, const PlistDict& object, const char* className)
{
    return context.reader().classChainOf(object).contains(QLatin1String(className));
}

QString stringFrom(Context& context, const PlistValue& value)
{
    return withObject<QString>(context, value, [&](const PlistValue& object) -> QString {
        if (object.isString())
            return object.toString();
        const PlistDict& dict = object.toDict();
        if (const PlistValue* text = dict.find(QStringLiteral("NS.string")))
            return stringFrom(context, *text);
        if (const PlistValue* bytes = dict.find(QStringLiteral("NS.bytes")))
            if (bytes->isData())
                return QString::fromUtf8(bytes->toData());
        return QString();
    });
}

QByteArray dataFrom(Context& context, const PlistValue& value)
{
    return withObject<QByteArray>(context, value, [&](const PlistValue& object) -> QByteArray {
        if (object.isData())
            return object.toData();
        const PlistDict& dict = object.toDict();
        for (const char* key : {"NS.data", "NS.bytes"})
            if (const PlistValue* bytes = dict.find(QLatin1String(key)))
                if (bytes->isData())
                    return bytes->toData();
        return QByteArray();
    });
}

bool arrayItems(const PlistValue& object, PlistArray& items)
{
    const PlistValue* objects = object.toDict().find(QStringLiteral("NS.objects"));
    if (!objects || !objects->isArray())
        return false;
    items = objects->toArray();
    return true;
}

PlistValue plainFrom(Context& context, const PlistValue& value)
{
    return withObject<PlistValue>(context, value, [&](const PlistValue& object) -> PlistValue {
        switch (object.type()) {
        case PlistValue::Type::Dict:
            break;
        case PlistValue::Type::Array:
        case PlistValue::Type::Uid:
        case PlistValue::Type::None:
            return PlistValue(); // not an object form
        default:
            return object;
        }
        const PlistDict& dict = object.toDict();
        PlistArray items;
        if (arrayItems(object, items)) {
            const PlistValue* keys = dict.find(QStringLiteral("NS.keys"));
            if (keys) {
                const PlistArray& keyRefs = keys->toArray();
                if (!keys->isArray() || keyRefs.size() != items.size())
                    return PlistValue();
                PlistDict result;
                for (size_t i = 0; i < items.size(); ++i) {
                    const QString key = stringFrom(context, keyRefs[i]);
                    if (key.isNull())
                        return PlistValue();
                    result.insert(key, plainFrom(context, items[i]));
                }
                return PlistValue(std::move(result));
            }
            PlistArray result;
            result.reserve(items.size());
            for (const PlistValue& item : items)
                result.push_back(plainFrom(context, item));
            return PlistValue(std::move(result));
        }
        if (dict.contains(QStringLiteral("NS.string")))
            return PlistValue(stringFrom(context, *dict.find(QStringLiteral("NS.string"))));
        if (dict.contains(QStringLiteral("NS.data")) || dict.contains(QStringLiteral("NS.bytes")))
            return PlistValue(dataFrom(context, object));
        return PlistValue();
    });
}

} // namespace ArchiveDecoding

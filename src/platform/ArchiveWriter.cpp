#include "platform/ArchiveWriter.h"

#include "platform/BraceGeometry.h"

namespace {
const QString classKey = QStringLiteral("$class");
} // namespace

ArchiveWriter::ArchiveWriter(const QStringList& rootClassChain)
{
    objects_.push_back(PlistValue(QStringLiteral("$null")));
    objects_.push_back(PlistValue()); // the root object, filled in by archive()
    root_.insert(classKey, classRecord(rootClassChain));
}

void ArchiveWriter::encodeBool(const QString& key, bool value)
{
    root_.insert(key, PlistValue(value));
}

void ArchiveWriter::encodeInt(const QString& key, qint32 value)
{
    root_.insert(key, PlistValue(qint64(value)));
}

void ArchiveWriter::encodeFloat(const QString& key, float value)
{
    root_.insert(key, PlistValue(double(value)));
}

void ArchiveWriter::encodeDouble(const QString& key, double value)
{
    root_.insert(key, PlistValue(value));
}

void ArchiveWriter::encodeRect(const QString& key, const QRectF& rect)
{
    root_.insert(key, PlistValue(BraceGeometry::fromRect(rect)));
}

void ArchiveWriter::encodePoint(const QString& key, const QPointF& point)
{
    root_.insert(key, PlistValue(BraceGeometry::fromPoint(point)));
}

void ArchiveWriter::encodeSize(const QString& key, const QSizeF& size)
{
    root_.insert(key, PlistValue(BraceGeometry::fromSize(size)));
}

void ArchiveWriter::encodeString(const QString& key, const QString& value)
{
    root_.insert(key, value.isNull() ? PlistUid{0} : objectForString(value));
}

void ArchiveWriter::encodeData(const QString& key, const QByteArray& value)
{
    root_.insert(key, value.isNull() ? PlistUid{0} : append(PlistValue(value)));
}

void ArchiveWriter::encodeColor(const QString& key, const QColor& color)
{
    root_.insert(key, color.isValid() ? append(colorObject(color)) : PlistUid{0});
}

void ArchiveWriter::encodeFont(const QString& key, const std::optional<QFont>& font)
{
    root_.insert(key, font ? append(fontObject(*font)) : PlistUid{0});
}

void ArchiveWriter::encodeStyledText(const QString& key, const StyledText* text)
{
    root_.insert(key, text ? objectForStyledText(*text) : PlistUid{0});
}

void ArchiveWriter::encodeObject(const QString& key, const PlistValue& value)
{
    root_.insert(key, value.isNone() ? PlistUid{0} : objectForPlainValue(value));
}

PlistValue ArchiveWriter::archive() const
{
    PlistArray objects = objects_;
    objects[1] = PlistValue(root_);
    PlistDict top;
    top.insert(QStringLiteral("root"), PlistUid{rootIsNull_ ? 0u : 1u});
    PlistDict archive;
    archive.insert(QStringLiteral("$archiver"), PlistValue("NSKeyedArchiver"));
    archive.insert(QStringLiteral("$objects"), PlistValue(std::move(objects)));
    archive.insert(QStringLiteral("$top"), PlistValue(std::move(top)));
    archive.insert(QStringLiteral("$version"), PlistValue(qint64(100000)));
    return PlistValue(std::move(archive));
}

QByteArray ArchiveWriter::toData(PropertyList::Format format) const
{
    return PropertyList::write(archive(), format);
}

QByteArray ArchiveWriter::archivedColor(const QColor& color)
{
    ArchiveWriter writer({QStringLiteral("NSColor"), QStringLiteral("NSObject")});
    if (color.isValid())
        writer.root_ = writer.colorObject(color);
    else
        writer.rootIsNull_ = true;
    return writer.toData();
}

QByteArray ArchiveWriter::archivedFont(const std::optional<QFont>& font)
{
    ArchiveWriter writer({QStringLiteral("NSFont"), QStringLiteral("NSObject")});
    if (font)
        writer.root_ = writer.fontObject(*font);
    else
        writer.rootIsNull_ = true;
    return writer.toData();
}

PlistUid ArchiveWriter::append(PlistValue object)
{
    objects_.push_back(std::move(object));
    return PlistUid{quint64(objects_.size() - 1)};
}

PlistUid ArchiveWriter::classRecord(const QStringList& chain)
{
    const QString id = chain.join(u'/');
    const auto found = classRecords_.constFind(id);
    if (found != classRecords_.cend())
        return *found;
    PlistArray classes;
    for (const QString& name : chain)
        classes.push_back(PlistValue(name));
    PlistDict record;
    record.insert(QStringLiteral("$classes"), PlistValue(std::move(classes)));
    record.insert(QStringLiteral("$classname"), PlistValue(chain.value(0)));
    const PlistUid uid = append(PlistValue(std::move(record)));
    classRecords_.insert(id, uid);
    return uid;
}

PlistUid ArchiveWriter::objectForString(const QString& value)
{
    return append(PlistValue(value));
}

PlistUid ArchiveWriter::objectForArray(const std::vector<PlistUid>& items)
{
    PlistArray refs;
    refs.reserve(items.size());
    for (const PlistUid& item : items)
        refs.push_back(PlistValue(item));
    PlistDict object;
    object.insert(QStringLiteral("NS.objects"), PlistValue(std::move(refs)));
    object.insert(classKey, classRecord({QStringLiteral("NSArray"), QStringLiteral("NSObject")}));
    return append(PlistValue(std::move(object)));
}

PlistUid ArchiveWriter::objectForDictionary(const PlistDict& references)
{
    PlistArray keys, objects;
    for (qsizetype i = 0; i < references.size(); ++i) {
        const PlistUid key = objectForString(references.keyAt(i));
        keys.emplace_back(key);
        objects.push_back(references.valueAt(i));
    }
    PlistDict object;
    object.insert(QStringLiteral("NS.keys"), PlistValue(std::move(keys)));
    object.insert(QStringLiteral("NS.objects"), PlistValue(std::move(objects)));
    object.insert(classKey, classRecord({QStringLiteral("NSDictionary"), QStringLiteral("NSObject")}));
    return append(PlistValue(std::move(object)));
}

PlistUid ArchiveWriter::objectForPlainValue(const PlistValue& value)
{
    switch (value.type()) {
    case PlistValue::Type::Array: {
        std::vector<PlistUid> items;
        for (const PlistValue& item : value.toArray())
            items.push_back(item.isNone() ? PlistUid{0} : objectForPlainValue(item));
        return objectForArray(items);
    }
    case PlistValue::Type::Dict: {
        const PlistDict& dict = value.toDict();
        PlistDict items;
        for (qsizetype i = 0; i < dict.size(); ++i) {
            const PlistValue& item = dict.valueAt(i);
            items.insert(dict.keyAt(i), PlistValue(item.isNone() ? PlistUid { 0 } : objectForPlainValue(item)));
        }
        return objectForDictionary(items);
    }
    case PlistValue::Type::Uid:
    case PlistValue::Type::None:
        return PlistUid{0}; // references have no meaning outside their own archive
    default:
        // Strings, numbers, booleans, data and dates stand in the object table as they are.
        return append(value);
    }
}

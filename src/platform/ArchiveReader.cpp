#include "platform/ArchiveReader.h"

#include "platform/ArchiveDecoding.h"
#include "platform/PropertyList.h"

namespace {
bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}
} // namespace

bool ArchiveReader::open(const QByteArray& data, QString* error)
{
    QString reason;
    PlistValue archive = PropertyList::read(data, &reason);
    if (archive.isNone())
        return fail(error, QStringLiteral("The archive is not a property list: %1").arg(reason));
    return open(archive, error);
}

bool ArchiveReader::open(const PlistValue& archive, QString* error)
{
    objects_ = nullptr;
    root_ = nullptr;
    archive_ = archive;
    if (!archive_.isDict())
        return fail(error, QStringLiteral("The archive is not a dictionary."));
    const PlistDict& frame = archive_.toDict();
    const PlistValue* archiver = frame.find(QStringLiteral("$archiver"));
    if (!archiver || archiver->toString() != QLatin1String("NSKeyedArchiver"))
        return fail(error, QStringLiteral("The data is not a keyed archive."));
    const PlistValue* objects = frame.find(QStringLiteral("$objects"));
    if (!objects || !objects->isArray() || objects->toArray().empty()
        || objects->toArray().front().toString() != QLatin1String("$null"))
        return fail(error, QStringLiteral("The archive has no object table."));
    const PlistValue* top = frame.find(QStringLiteral("$top"));
    const PlistValue* rootReference = top ? top->toDict().find(QStringLiteral("root")) : nullptr;
    if (!rootReference || !rootReference->isUid())
        return fail(error, QStringLiteral("The archive names no root object."));
    objects_ = &objects->toArray();
    const PlistValue* root = object(*rootReference);
    if (!root || rootReference->toUid().value == 0 || !root->isDict()) {
        objects_ = nullptr;
        return fail(error, QStringLiteral("The archive's root object is missing or not an object."));
    }
    root_ = &root->toDict();
    rootUid_ = rootReference->toUid();
    if (classChainOf(*root_).isEmpty()) {
        objects_ = nullptr;
        root_ = nullptr;
        return fail(error, QStringLiteral("The archive's root object names no class."));
    }
    return true;
}

ArchiveObject ArchiveReader::root() const
{
    static const PlistDict empty;
    return ArchiveObject(*this, root_ ? *root_ : empty);
}

const PlistValue* ArchiveReader::object(const PlistValue& reference) const
{
    return reference.isUid() ? object(reference.toUid()) : nullptr;
}

const PlistValue* ArchiveReader::object(PlistUid uid) const
{
    if (!objects_ || uid.value >= quint64(objects_->size()))
        return nullptr;
    return &(*objects_)[size_t(uid.value)];
}

QStringList ArchiveReader::classChainOf(const PlistDict& object) const
{
    const PlistValue* classReference = object.find(QStringLiteral("$class"));
    const PlistValue* record = classReference ? this->object(*classReference) : nullptr;
    if (!record || !record->isDict())
        return {};
    QStringList chain;
    if (const PlistValue* classes = record->toDict().find(QStringLiteral("$classes")))
        for (const PlistValue& name : classes->toArray())
            if (name.isString())
                chain.append(name.toString());
    const QString className = record->toDict().find(QStringLiteral("$classname"))
                                  ? record->toDict().find(QStringLiteral("$classname"))->toString()
                                  : QString();
    if (!className.isEmpty() && (chain.isEmpty() || chain.front() != className))
        chain.prepend(className);
    return chain;
}

QColor ArchiveReader::unarchivedColor(const QByteArray& data)
{
    ArchiveReader reader;
    if (!reader.open(data))
        return QColor();
    ArchiveDecoding::Context context(reader);
    return ArchiveDecoding::colorFrom(context, PlistValue(reader.rootUid_));
}

std::optional<QFont> ArchiveReader::unarchivedFont(const QByteArray& data)
{
    ArchiveReader reader;
    if (!reader.open(data))
        return std::nullopt;
    ArchiveDecoding::Context context(reader);
    return ArchiveDecoding::fontFrom(context, PlistValue(reader.rootUid_));
}

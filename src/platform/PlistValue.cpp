#include "platform/PlistValue.h"

namespace {
const PlistArray emptyArray;
const PlistDict emptyDict;
} // namespace

namespace {
// Past this many entries a dictionary keeps an index rather than searching its keys.
constexpr size_t indexedFrom = 12;
} // namespace

PlistDict::PlistDict() = default;
PlistDict::PlistDict(const PlistDict& other) = default;
PlistDict::PlistDict(PlistDict&& other) noexcept = default;
PlistDict& PlistDict::operator=(const PlistDict& other) = default;
PlistDict& PlistDict::operator=(PlistDict&& other) noexcept = default;
PlistDict::~PlistDict() = default;

qsizetype PlistDict::size() const
{
    return qsizetype(entries_.size());
}

qsizetype PlistDict::indexOf(const QString& key) const
{
    if (!index_.isEmpty())
        return index_.value(key, -1);
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].key == key)
            return qsizetype(i);
    }
    return -1;
}

void PlistDict::buildIndex()
{
    index_.reserve(qsizetype(entries_.size()) * 2);
    for (size_t i = 0; i < entries_.size(); ++i)
        index_.insert(entries_[i].key, qsizetype(i));
}

const PlistValue* PlistDict::find(const QString& key) const
{
    const qsizetype at = indexOf(key);
    return at < 0 ? nullptr : &entries_[size_t(at)].value;
}

void PlistDict::insert(const QString& key, PlistValue value)
{
    const qsizetype at = indexOf(key);
    if (at >= 0) {
        entries_[size_t(at)].value = std::move(value);
        return;
    }
    entries_.push_back({ key, std::move(value) });
    if (!index_.isEmpty())
        index_.insert(key, qsizetype(entries_.size() - 1));
    else if (entries_.size() > indexedFrom)
        buildIndex();
}

QStringList PlistDict::keys() const
{
    QStringList keys;
    keys.reserve(size());
    for (const auto& entry : entries_)
        keys.append(entry.key);
    return keys;
}

const QString& PlistDict::keyAt(qsizetype i) const
{
    return entries_[size_t(i)].key;
}

const PlistValue& PlistDict::valueAt(qsizetype i) const
{
    return entries_[size_t(i)].value;
}

bool PlistDict::operator==(const PlistDict& other) const
{
    if (size() != other.size())
        return false;
    for (const Entry& entry : entries_) {
        const PlistValue* theirs = other.find(entry.key);
        if (!theirs || !(*theirs == entry.value))
            return false;
    }
    return true;
}

QString PlistKeyCache::key(const char* utf8, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(utf8, qsizetype(size));
    const auto found = keys_.constFind(bytes);
    if (found != keys_.cend())
        return *found;
    QString key = QString::fromUtf8(utf8, qsizetype(size));
    if (size_t(keys_.size()) < kept)
        keys_.insert(QByteArray(utf8, qsizetype(size)), key);
    return key;
}

bool PlistValue::toBool() const
{
    return isBoolean() && std::get<bool>(value_);
}

qint64 PlistValue::toInteger() const
{
    return isInteger() ? std::get<qint64>(value_) : 0;
}

double PlistValue::toReal() const
{
    if (isReal())
        return std::get<double>(value_);
    if (isInteger())
        return double(std::get<qint64>(value_));
    return 0.0;
}

QString PlistValue::toString() const
{
    return isString() ? std::get<QString>(value_) : QString();
}

QByteArray PlistValue::toData() const
{
    return isData() ? std::get<QByteArray>(value_) : QByteArray();
}

PlistUid PlistValue::toUid() const
{
    return isUid() ? std::get<PlistUid>(value_) : PlistUid{};
}

PlistDate PlistValue::toDate() const
{
    return type() == Type::Date ? std::get<PlistDate>(value_) : PlistDate{};
}

const PlistArray& PlistValue::toArray() const
{
    return isArray() ? std::get<PlistArray>(value_) : emptyArray;
}

const PlistDict& PlistValue::toDict() const
{
    return isDict() ? std::get<PlistDict>(value_) : emptyDict;
}

PlistArray& PlistValue::array()
{
    if (!isArray())
        value_ = PlistArray{};
    return std::get<PlistArray>(value_);
}

PlistDict& PlistValue::dict()
{
    if (!isDict())
        value_ = PlistDict{};
    return std::get<PlistDict>(value_);
}

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
    return qsizetype(values_.size());
}

qsizetype PlistDict::indexOf(const QString& key) const
{
    if (!keys_)
        return -1;
    if (!keys_->index.isEmpty())
        return keys_->index.value(key, -1);
    const std::vector<QString>& names = keys_->names;
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == key)
            return qsizetype(i);
    }
    return -1;
}

const PlistValue* PlistDict::find(const QString& key) const
{
    const qsizetype at = indexOf(key);
    return at < 0 ? nullptr : &values_[size_t(at)];
}

void PlistDict::insert(const QString& key, PlistValue value)
{
    const qsizetype at = indexOf(key);
    if (at >= 0) {
        values_[size_t(at)] = std::move(value);
        return;
    }
    // Keys shared with other dictionaries are copied before they change.
    if (!keys_)
        keys_ = new Keys;
    else
        keys_.detach();
    std::vector<QString>& names = keys_->names;
    names.push_back(key);
    values_.push_back(std::move(value));
    if (!keys_->index.isEmpty()) {
        keys_->index.insert(key, qsizetype(names.size() - 1));
    } else if (names.size() > indexedFrom) {
        keys_->index.reserve(qsizetype(names.size()) * 2);
        for (size_t i = 0; i < names.size(); ++i)
            keys_->index.insert(names[i], qsizetype(i));
    }
}

QStringList PlistDict::keys() const
{
    return keys_ ? QStringList(keys_->names.cbegin(), keys_->names.cend()) : QStringList();
}

const QString& PlistDict::keyAt(qsizetype i) const
{
    return keys_->names[size_t(i)];
}

const PlistValue& PlistDict::valueAt(qsizetype i) const
{
    return values_[size_t(i)];
}

bool PlistDict::operator==(const PlistDict& other) const
{
    if (size() != other.size())
        return false;
    for (qsizetype i = 0; i < size(); ++i) {
        const PlistValue* theirs = other.find(keyAt(i));
        if (!theirs || !(*theirs == valueAt(i)))
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

void PlistKeyCache::settle(PlistDict& dict)
{
    dict.values_.shrink_to_fit();
    if (!dict.keys_)
        return;
    QExplicitlySharedDataPointer<PlistDict::Keys>& last = lastKeys_[dict.size()];
    if (last && last->names == dict.keys_->names)
        dict.keys_ = last;
    else
        last = dict.keys_;
}

PlistValue::PlistValue(const QString& value)
{
    if (value.isEmpty() || value.size() > PlistShortText::capacity) {
        value_ = value;
        return;
    }
    PlistShortText text;
    std::copy(value.utf16(), value.utf16() + value.size(), text.units);
    text.size = quint8(value.size());
    value_ = text;
}

PlistValue::Type PlistValue::type() const
{
    return std::holds_alternative<PlistShortText>(value_) ? Type::String : Type(value_.index());
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
    if (const auto* text = std::get_if<PlistShortText>(&value_))
        return QString(reinterpret_cast<const QChar*>(text->units), text->size);
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

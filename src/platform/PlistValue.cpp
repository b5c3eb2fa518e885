#include "platform/PlistValue.h"

namespace {
const PlistArray emptyArray;
const PlistDict emptyDict;
} // namespace

const PlistValue* PlistDict::find(const QString& key) const
{
    const auto found = index_.constFind(key);
    return found == index_.cend() ? nullptr : &values_[size_t(*found)];
}

void PlistDict::insert(const QString& key, PlistValue value)
{
    const auto found = index_.constFind(key);
    if (found != index_.cend()) {
        values_[size_t(*found)] = std::move(value);
        return;
    }
    index_.insert(key, keys_.size());
    keys_.append(key);
    values_.push_back(std::move(value));
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
        const PlistValue* theirs = other.find(keys_[i]);
        if (!theirs || !(*theirs == values_[size_t(i)]))
            return false;
    }
    return true;
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

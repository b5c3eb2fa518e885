#pragma once

#include <QByteArray>
#include <QExplicitlySharedDataPointer>
#include <QHash>
#include <QSharedData>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <variant>
#include <vector>

class PlistValue;

// A reference to an entry of a keyed archive's object table.
struct PlistUid
{
    quint64 value = 0;
    bool operator==(const PlistUid&) const = default;
};

// A date: seconds since 2001-01-01 00:00 UTC, as property lists count.
struct PlistDate
{
    double seconds = 0.0;
    bool operator==(const PlistDate&) const = default;
};

using PlistArray = std::vector<PlistValue>;

// A dictionary that keeps its keys in insertion order (archives write keys in a fixed order).
// A design may hold a million dictionaries with the same keys (a table's rows): the keys, and the
// index a large dictionary keeps of them, live in a block that dictionaries with the same keys
// share, so that each holds little more than its values.
class PlistDict
{
public:
    // Out of line, where the values' type is complete.
    PlistDict();
    PlistDict(const PlistDict& other);
    PlistDict(PlistDict&& other) noexcept;
    PlistDict& operator=(const PlistDict& other);
    PlistDict& operator=(PlistDict&& other) noexcept;
    ~PlistDict();

    bool contains(const QString& key) const { return indexOf(key) >= 0; }
    // The value under key, or nullptr.
    const PlistValue* find(const QString& key) const;
    // Adds the key at the end, or replaces its value where it is.
    void insert(const QString& key, PlistValue value);
    qsizetype size() const;
    bool isEmpty() const { return size() == 0; }
    QStringList keys() const;
    const QString& keyAt(qsizetype i) const;
    const PlistValue& valueAt(qsizetype i) const;

    bool operator==(const PlistDict& other) const;

private:
    friend class PlistKeyCache;
    struct Keys;

    qsizetype indexOf(const QString& key) const;

    QExplicitlySharedDataPointer<Keys> keys_; // null while empty
    std::vector<PlistValue> values_;
};

struct PlistDict::Keys : QSharedData
{
    std::vector<QString> names;
    QHash<QString, qsizetype> index; // empty, and allocating nothing, for a few keys
};

// A text of up to this many UTF-16 units, kept inside the value rather than in a block of its own:
// a table of one-character cells would otherwise take a heap block per cell.
struct PlistShortText
{
    static constexpr qsizetype capacity = 15;
    char16_t units[capacity] {};
    quint8 size = 0;
    bool operator==(const PlistShortText&) const = default;
};

// One value of a property list. A default-constructed value is "none" (no value).
class PlistValue
{
public:
    enum class Type { None, Boolean, Integer, Real, String, Data, Uid, Date, Array, Dict };

    PlistValue() = default;
    PlistValue(bool value) : value_(value) {}
    PlistValue(int value) : value_(qint64(value)) {}
    PlistValue(qint64 value) : value_(value) {}
    PlistValue(double value) : value_(value) {}
    PlistValue(const QString& value);
    PlistValue(const char* value)
        : PlistValue(QString::fromUtf8(value))
    { }
    PlistValue(const QByteArray& value) : value_(value) {}
    PlistValue(PlistUid value) : value_(value) {}
    PlistValue(PlistDate value) : value_(value) {}
    PlistValue(PlistArray value) : value_(std::move(value)) {}
    PlistValue(PlistDict value) : value_(std::move(value)) {}

    Type type() const;
    bool isNone() const { return type() == Type::None; }
    bool isBoolean() const { return type() == Type::Boolean; }
    bool isInteger() const { return type() == Type::Integer; }
    bool isReal() const { return type() == Type::Real; }
    bool isNumber() const { return isInteger() || isReal(); }
    bool isString() const { return type() == Type::String; }
    bool isData() const { return type() == Type::Data; }
    bool isUid() const { return type() == Type::Uid; }
    bool isArray() const { return type() == Type::Array; }
    bool isDict() const { return type() == Type::Dict; }

    // Each getter returns the value when the type matches and an empty value otherwise.
    bool toBool() const;
    qint64 toInteger() const;
    double toReal() const; // integers convert
    QString toString() const;
    QByteArray toData() const;
    PlistUid toUid() const;
    PlistDate toDate() const;
    const PlistArray& toArray() const;
    const PlistDict& toDict() const;
    // The array or dictionary to change; a value of another type becomes an empty one first.
    PlistArray& array();
    PlistDict& dict();

    bool operator==(const PlistValue& other) const { return value_ == other.value_; }

private:
    // In the order of Type, then the short strings: a string short enough is always kept as a
    // PlistShortText, so that equal strings compare equal.
    std::variant<std::monostate, bool, qint64, double, QString, QByteArray, PlistUid, PlistDate, PlistArray, PlistDict,
        PlistShortText>
        value_;
};

// Shares one copy of each dictionary key among the dictionaries read from one list: a table of
// a million rows names the same few keys a million times. Holds only the first keys it meets.
class PlistKeyCache
{
public:
    QString key(const char* utf8, size_t size);
    // Once a dictionary is read whole: it shares its keys with the last one read with as many
    // keys if they are the same, and gives back the room its values grew into.
    void settle(PlistDict& dict);

private:
    static constexpr size_t kept = 4096;
    QHash<QByteArray, QString> keys_;
    QHash<qsizetype, QExplicitlySharedDataPointer<PlistDict::Keys>> lastKeys_; // by number of keys
};

#pragma once

#include "platform/ArchiveObject.h"
#include "platform/PlistValue.h"

#include <optional>

// Reads a keyed archive. open() checks the frame ("$archiver", "$objects" starting with
// "$null", "$top" naming a root object that is a dictionary with a class record) and fails
// with a reason; the objects inside are checked as they are decoded (ArchiveObject).
class ArchiveReader
{
public:
    // Deepest chain of object references followed while decoding one value.
    static constexpr int maxDepth = 64;

    bool open(const QByteArray& data, QString* error = nullptr);
    bool open(const PlistValue& archive, QString* error = nullptr);

    // The root object; only valid after a successful open().
    ArchiveObject root() const;

    // The object table entry of a reference, or nullptr when it is out of range.
    const PlistValue* object(const PlistValue& reference) const;
    const PlistValue* object(PlistUid uid) const;
    // The class chain recorded for an object dictionary ("$class" -> "$classes").
    QStringList classChainOf(const PlistDict& object) const;

    // Colour or font archives (the card settings' form): none when unreadable.
    static QColor unarchivedColor(const QByteArray& data);
    static std::optional<QFont> unarchivedFont(const QByteArray& data);

private:
    PlistValue archive_;
    const PlistArray* objects_ = nullptr;
    const PlistDict* root_ = nullptr;
    PlistUid rootUid_;
};

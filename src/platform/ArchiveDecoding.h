#pragma once

// Decoding of archived objects: shared by the parts of ArchiveObject. Every function takes
// a value that is either a reference into the archive's object table or a value standing
// in place, checks what it finds, and returns the empty value when it does not fit.

#include "platform/PlistValue.h"

#include <QColor>
#include <QFont>
#include <QSizeF>

#include <memory>
#include <optional>
#include <vector>

class ArchiveReader;
struct StyledText;

namespace ArchiveDecoding {

// Bounds one decoding: how deep references may chain, how many objects may be visited
// (shared sub-objects could otherwise be expanded exponentially), and which objects are
// on the current path (a reference back to one of them is a cycle).
class Context
{
public:
    explicit Context(const ArchiveReader& reader) : reader_(reader) {}

    const ArchiveReader& reader() const { return reader_; }
    // Follows a reference (or takes a value in place); nullptr when the reference is bad,
    // "$null", part of a cycle, too deep or over the budget. Call leave() after a
    // successful enter() once the object has been decoded.
    const PlistValue* enter(const PlistValue& value);
    void leave(const PlistValue& value);

private:
    const ArchiveReader& reader_;
    std::vector<quint64> path_;
    int visits_ = 0;
};

// Runs decode(object) on the object a value refers to, with the context's checks.
template <class Result, class Decode>
Result withObject(Context& context, const PlistValue& value, Decode decode)
{
    const PlistValue* object = context.enter(value);
    if (!object)
        return Result();
    Result result = decode(*object);
    context.leave(value);
    return result;
}

// True when the object dictionary's class chain names the class.
bool isOfClass(const Context& context, const PlistDict& object, const char* className);

QString stringFrom(Context& context, const PlistValue& value);
QByteArray dataFrom(Context& context, const PlistValue& value);
PlistValue plainFrom(Context& context, const PlistValue& value);
// The "NS.objects" entries of an archived array or dictionary (references, or values in
// place); false when the object has none.
bool arrayItems(const PlistValue& object, PlistArray& items);

QColor colorFrom(Context& context, const PlistValue& value);
std::optional<QFont> fontFrom(Context& context, const PlistValue& value);
std::shared_ptr<StyledText> styledTextFrom(Context& context, const PlistValue& value);
// The first embedded picture data (TIFF, PNG, JPEG or PDF) under an image object, and the
// size in points it states (empty when it states none).
QByteArray imageDataFrom(Context& context, const PlistValue& value, QSizeF* sizeInPoints);

} // namespace ArchiveDecoding

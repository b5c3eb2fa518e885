#pragma once

#include "platform/PlistValue.h"
#include "platform/PropertyList.h"

// The archive with its root object's strings in the other form the platform writes: each
// string stored in place (geometry) becomes a reference to a string object, and each
// reference to a plain string object becomes the string in place; the counts say how many.
inline QByteArray withStringFormsSwapped(const QByteArray& archive, int& inlined, int& referenced)
{
    PlistDict frame = PropertyList::read(archive).toDict();
    PlistArray objects = frame.find(QStringLiteral("$objects"))->toArray();
    const size_t rootIndex
        = size_t(frame.find(QStringLiteral("$top"))->toDict().find(QStringLiteral("root"))->toUid().value);
    const PlistDict root = objects.at(rootIndex).toDict();
    PlistDict swapped;
    inlined = referenced = 0;
    for (qsizetype i = 0; i < root.size(); ++i) {
        const PlistValue& value = root.valueAt(i);
        if (value.isString()) {
            objects.push_back(value);
            swapped.insert(root.keys()[i], PlistValue(PlistUid { quint64(objects.size() - 1) }));
            ++referenced;
        } else if (value.isUid() && value.toUid().value != 0 && root.keys()[i] != QStringLiteral("$class")
            && objects.at(size_t(value.toUid().value)).isString()) {
            swapped.insert(root.keys()[i], objects.at(size_t(value.toUid().value)));
            ++inlined;
        } else {
            swapped.insert(root.keys()[i], value);
        }
    }
    objects[rootIndex] = PlistValue(std::move(swapped));
    frame.insert(QStringLiteral("$objects"), PlistValue(std::move(objects)));
    return PropertyList::write(PlistValue(std::move(frame)), PropertyList::Format::Binary);
}

#pragma once

#include "platform/PlistValue.h"
#include "platform/PropertyList.h"

// Builds keyed archives by hand, in the form archives written elsewhere take, so that the
// reader is tested against that form rather than against our own writer.
class ArchiveFixture
{
public:
    ArchiveFixture() { objects_.push_back(PlistValue("$null")); }

    PlistUid add(PlistValue object)
    {
        objects_.push_back(std::move(object));
        return PlistUid{quint64(objects_.size() - 1)};
    }
    // Replaces an object added before (to make references point back).
    void set(PlistUid uid, PlistValue object) { objects_[size_t(uid.value)] = std::move(object); }

    PlistUid classRecord(const QStringList& chain)
    {
        PlistArray classes;
        for (const QString& name : chain)
            classes.push_back(PlistValue(name));
        PlistDict record;
        record.insert(QStringLiteral("$classes"), PlistValue(classes));
        record.insert(QStringLiteral("$classname"), PlistValue(chain.front()));
        return add(PlistValue(record));
    }

    // An object of the class with the given entries.
    PlistUid object(const QStringList& chain, PlistDict entries)
    {
        entries.insert(QStringLiteral("$class"), PlistValue(classRecord(chain)));
        return add(PlistValue(entries));
    }

    PlistValue archive(PlistUid root) const
    {
        PlistDict top;
        top.insert(QStringLiteral("root"), PlistValue(root));
        PlistDict frame;
        frame.insert(QStringLiteral("$version"), PlistValue(qint64(100000)));
        frame.insert(QStringLiteral("$archiver"), PlistValue("NSKeyedArchiver"));
        frame.insert(QStringLiteral("$top"), PlistValue(top));
        frame.insert(QStringLiteral("$objects"), PlistValue(objects_));
        return PlistValue(frame);
    }

    QByteArray data(PlistUid root, PropertyList::Format format = PropertyList::Format::Binary) const
    {
        return PropertyList::write(archive(root), format);
    }

private:
    PlistArray objects_;
};

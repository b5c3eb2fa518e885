#pragma once

#include "platform/CheckedWrite.h"
#include "platform/PlistValue.h"
#include "platform/SafeRead.h"

// Property lists in XML and binary form. Reading checks everything it takes in and fails
// with a reason (never a crash); writing a file replaces it whole or not at all.
class PropertyList
{
public:
    enum class Format
    {
        Xml,
        Binary
    };

    // Deepest nesting of arrays and dictionaries accepted when reading.
    static constexpr int maxNesting = 256;

    // The value, or none with a reason in error.
    static PlistValue read(const QByteArray& bytes, QString* error = nullptr);
    static QByteArray write(const PlistValue& value, Format format);

    // Reads only a regular file of at most maxBytes.
    static PlistValue readFile(
        const QString& path, QString* error = nullptr, qint64 maxBytes = SafeRead::maxDesignBytes);
    // Writes nothing, and leaves any file there as it was, when the list would take more than
    // maxBytes: what is written is what readFile with the same cap reads back.
    static bool writeFile(const QString& path, const PlistValue& value, Format format, QString* error = nullptr,
        qint64 maxBytes = SafeRead::maxDesignBytes, CheckedWriteOptions options = {});
};

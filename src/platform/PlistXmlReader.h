#pragma once

#include "platform/PlistValue.h"

#include <QString>

#include <cstddef>
#include <memory>

// Reads the XML form of a property list straight into values, piece by piece, so that a file
// need not be held whole. The nesting is the parser's own element depth, taken as each element
// opens: nothing in comments, CDATA or text can hide it. Every character the writer puts in a
// string, control characters and carriage returns included, reads back as written.
class PlistXmlReader
{
public:
    explicit PlistXmlReader(int maxNesting);
    ~PlistXmlReader();
    PlistXmlReader(const PlistXmlReader&) = delete;
    PlistXmlReader& operator=(const PlistXmlReader&) = delete;

    // Takes the next piece of the document (last for the final one); false once the document
    // is known to be no readable property list.
    bool feed(const char* bytes, size_t size, bool last);
    // The value read after the last piece, or none with the reason in error.
    PlistValue take(QString* error);

    // A whole document at once.
    static PlistValue read(const char* bytes, size_t size, int maxNesting, QString* error);

private:
    struct Parse;
    std::unique_ptr<Parse> parse_;
};

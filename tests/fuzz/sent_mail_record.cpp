// Feeds arbitrary bytes to the reader of the record files of the earlier kind, which the record
// of mails sent reads in once: a file that is not whole says why and is never taken for one
// that holds nothing, and every key it gives is a whole one.
#include "mailing/OldSentMailFiles.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const OldSentMailFile read
        = readOldSentMailFile(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!read.why.isEmpty() && !read.keys.isEmpty())
        __builtin_trap();
    for (const QByteArray& key : read.keys)
        if (key.size() != 16)
            __builtin_trap();
    return 0;
}

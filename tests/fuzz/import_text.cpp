// Feeds arbitrary bytes to the text decoding and the CSV and line splitting of text imports.
#include "data/ImportText.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto text = decodeImportText(bytes);
    if (!text)
        return 0;
    for (const QStringList& values : { csvValues(*text), lineValues(*text) })
        for (const QString& value : values)
            if (value.isEmpty())
                __builtin_trap();
    return 0;
}

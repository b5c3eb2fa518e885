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
    csvValues(*text);
    // Empty values are valid (they keep the later values on their rows); a line end inside a
    // line's value is not, nor a NUL character, which a series refuses.
    for (const QString& value : lineValues(*text))
        if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')) || value.contains(QChar(0)))
            __builtin_trap();
    return 0;
}

// Feeds arbitrary bytes to the RTF reader and the line splitting the import applies after it.
#include "data/ImportText.h"
#include "data/RtfReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // Empty values are valid (blank lines keep their rows); a line end inside one is not, nor a
    // NUL character, which a series refuses.
    if (const auto text = rtfPlainText(bytes)) {
        for (const QString& value : lineValues(*text))
            if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')) || value.contains(QChar(0)))
                __builtin_trap();
    }
    return 0;
}

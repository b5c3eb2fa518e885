// Feeds arbitrary bytes to the RTF reader and the line splitting the import applies after it.
#include "data/ImportText.h"
#include "data/RtfReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto text = rtfPlainText(bytes)) {
        for (const QString& value : lineValues(*text))
            if (value.isEmpty() || value.contains(QLatin1Char('\n')))
                __builtin_trap();
    }
    return 0;
}

// Feeds arbitrary format codes and values to the cell formatter. The first eight bytes are the
// value, the ninth chooses the date system, the rest is the code (UTF-8).
#include "data/CellFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 9)
        return 0;
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    const bool date1904 = data[8] & 1;
    const QString code = QString::fromUtf8(reinterpret_cast<const char*>(data + 9), qsizetype(size - 9));
    const CellFormat format = CellFormat::fromCode(code);
    // Both the value as given and everyday ones: a date, a time, a negative and a tiny number.
    for (const double shown : { value, 45356.396, 0.75, -1234.5, 1e-300, 2958465.99999 })
        (void)format.format(shown, date1904);
    (void)CellFormat::builtIn(int(data[8]));
    return 0;
}

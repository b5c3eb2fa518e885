// Arbitrary value text through the QR Code front end: the first byte picks the level and
// the version, the rest is the value, taken as UTF-8 text and as raw bytes.
#include "barcodes/QREncoder.h"

#include <cstdint>
#include <cstdlib>

namespace {

void checkSymbol(const QRModuleGrid* grid, int version)
{
    if (!grid)
        return;
    const int size = grid->dimension();
    if (size < 21 || size > 177 || (size - 17) % 4 != 0 || (version > 0 && size != 4 * version + 17))
        std::abort();
    const QImage image = QREncoder::renderDataMatrix(grid, size + 7);
    if (image.width() != size + 7 || image.height() != size + 7)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int level = data[0] & 3;
    const int version = (data[0] >> 2) % 41;
    const QByteArray value(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));

    checkSymbol(QREncoder::encodeWithECLevel(level, version, QString::fromUtf8(value)).get(), version);
    checkSymbol(QREncoder::encodeCStringWithECLevel(level, version, value).get(), version);
    return 0;
}

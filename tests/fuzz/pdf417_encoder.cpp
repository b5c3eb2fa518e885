// Arbitrary values and options for the PDF417 encoder: it must answer with a symbol or an
// error code, never crash, and a symbol must be consistent with its layout.
#include "barcodes/pdf417Images.h"
#include "barcodes/pdf417param.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// The first bytes choose the settings, the rest is the value (or raw codewords).
constexpr size_t SETTINGS_BYTES = 12;

float readFloat(const uint8_t* bytes)
{
    float value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < SETTINGS_BYTES)
        return 0;
    pdf417param param;
    pdf417init(param);
    param.options = data[0];
    param.codeColumns = int8_t(data[1]);
    param.codeRows = int8_t(data[2]);
    param.errorLevel = int8_t(data[3]);
    param.aspectRatio = readFloat(data + 4);
    param.yHeight = readFloat(data + 8);
    const uint8_t* rest = data + SETTINGS_BYTES;
    const size_t restSize = size - SETTINGS_BYTES;
    if (param.options & PDF417_USE_RAW_CODEWORDS) {
        const size_t count = std::min<size_t>(restSize / 2, param.codewords.size());
        for (size_t i = 0; i < count; ++i)
            param.codewords[i] = int16_t(rest[2 * i] | rest[2 * i + 1] << 8);
        param.lenCodewords = int(count);
    } else {
        param.text = QByteArray(reinterpret_cast<const char*>(rest), qsizetype(restSize));
        // Sometimes a length of its own, which may point past the text.
        param.lenText = (data[0] & 8) ? int(data[1]) * 64 - 1 : -1;
    }
    paintCode(param);
    if (param.error != PDF417_ERROR_NONE) {
        check(param.outBits.empty());
        return 0;
    }
    check(param.codeColumns >= 1 && param.codeColumns <= 30 && param.codeRows >= 3 && param.codeRows <= 90);
    check(param.lenCodewords == param.codeColumns * param.codeRows && param.lenCodewords <= 928);
    check(param.errorLevel >= 0 && param.errorLevel <= 8);
    check(param.lenBits == ((param.bitColumns - 1) / 8 + 1) * param.codeRows);
    check(param.outBits.size() == size_t(param.lenBits));
    for (int i = 0; i < param.lenCodewords; ++i)
        check(param.codewords[size_t(i)] >= 0 && param.codewords[size_t(i)] < 929);
    const QImage bits = pdf417BitImage(param);
    check(bits.width() == param.bitColumns && bits.height() == param.codeRows);
    check(!pdf417ModuleImage(bits, 1, 2, 2).isNull());
    return 0;
}

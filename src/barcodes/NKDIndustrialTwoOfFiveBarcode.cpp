#include "barcodes/NKDIndustrialTwoOfFiveBarcode.h"

std::string NKDIndustrialTwoOfFiveBarcode::barcode() const
{
    const QByteArray text = digitsToDraw();
    std::string modules;
    modules.reserve(size_t(text.size()) * 14);
    for (const char digit : text) {
        for (int element = 0; element < 5; ++element)
            modules += _getBarForDigit(digit, element) ? "10" : "1110";
    }
    return modules;
}

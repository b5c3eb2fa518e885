#pragma once

#include "barcodes/NKDBarcode.h"

// Interleaved 2 of 5: digits in pairs, the first of a pair in the bars and the second in the
// spaces (narrow 1 module, wide 3). Odd-length content gets a leading zero in the symbol.
class NKDInterleavedTwoOfFiveBarcode : public NKDBarcode
{
    NKD_BARCODE_KIND(NKDInterleavedTwoOfFiveBarcode)

public:
    // Longest content accepted, in digits, as a dedicated encoder allows.
    static constexpr int maximumDigits = 90;

    bool isContentValid() const override;
    std::string initiator() const override { return "1010"; }
    std::string terminator() const override { return "11101"; }
    std::string barcode() const override;
    // The modulo-10 check digit (not used by the barcode window).
    void generateChecksum() override;

    // Whether element 0 to 4 of a digit's pattern is narrow (non-digits are all narrow).
    static bool _getBarForDigit(char digit, int element);

protected:
    // The content and its check digit, if any.
    QByteArray digitsToDraw() const;
};

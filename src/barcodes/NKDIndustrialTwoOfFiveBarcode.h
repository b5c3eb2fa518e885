#pragma once

#include "barcodes/NKDInterleavedTwoOfFiveBarcode.h"

// Industrial 2 of 5: every digit in five bars (narrow 1 module, wide 3), all spaces narrow,
// between its own start (wide, wide, narrow bars) and stop (wide, narrow, wide bars).
class NKDIndustrialTwoOfFiveBarcode : public NKDInterleavedTwoOfFiveBarcode
{
    NKD_BARCODE_KIND(NKDIndustrialTwoOfFiveBarcode)

public:
    // Longest content accepted, in digits, as a dedicated encoder allows: every digit takes
    // 14 modules, half again the room of an interleaved one.
    static constexpr int maximumDigits = 45;

    bool isContentValid() const override
    {
        return content().size() <= maximumDigits && NKDInterleavedTwoOfFiveBarcode::isContentValid();
    }
    std::string initiator() const override { return "1110111010"; }
    std::string terminator() const override { return "111010111"; }
    std::string barcode() const override;
};

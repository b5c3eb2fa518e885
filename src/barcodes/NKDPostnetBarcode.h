#pragma once

#include "barcodes/NKDBarcode.h"

#include <array>

// POSTNET: 5, 9 or 11 digits and a check digit, each digit five bars of which two are full
// and three half height, between two full frame bars. Every bar is one module followed by
// a two-module space.
class NKDPostnetBarcode : public NKDBarcode
{
    NKD_BARCODE_KIND(NKDPostnetBarcode)

public:
    // The lengths a value may have, in digits.
    static constexpr std::array<int, 3> digitCounts = { 5, 9, 11 };

    using NKDBarcode::initWithContent;
    void initWithContent(const QString& content, bool printsCaption) override;
    bool isContentValid() const override;
    void generateChecksum() override;
    std::string initiator() const override { return "100"; }
    std::string terminator() const override { return "1"; }
    std::string _encodeChar(char c) const override;
    float barTop(int module, const BarcodeSettings& settings) const override;
    // Height in inches of bar 1 to 5 of the digit at an index (the index past the content is
    // the check digit); 0 for a character that is not a digit.
    virtual float _heightForDigit(int index, int bar) const;

protected:
    static bool isFullBar(char digit, int bar);
};

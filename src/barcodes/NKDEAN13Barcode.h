#pragma once

#include "barcodes/NKDAbstractUPCEANBarcode.h"

// EAN-13: 12 digits and a check digit; the first digit sets the parities of the next six.
// A thirteenth digit given is the check digit and must be right; longer content is invalid.
class NKDEAN13Barcode : public NKDAbstractUPCEANBarcode
{
    NKD_BARCODE_KIND(NKDEAN13Barcode)

public:
    // Digits before the check digit.
    static constexpr int dataDigits = 12;

    using NKDBarcode::initWithContent;
    void initWithContent(const QString& content, bool printsCaption) override;
    void generateChecksum() override;
    bool isContentValid() const override;
    std::string barcode() const override;
    QString caption() const override;
    int digitsToRight() const override { return 0; }
    QString rightCaption() const override { return {}; }

    // Whether the digit at position 1 to 6 after the first is written in G (even parity).
    static bool _parityForSystemDigit(char systemDigit, int position);
};

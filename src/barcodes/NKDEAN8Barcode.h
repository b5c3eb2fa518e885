#pragma once

#include "barcodes/NKDEAN13Barcode.h"

// EAN-8: 7 digits and a check digit; an eighth digit given is the check digit and must be
// right.
class NKDEAN8Barcode : public NKDEAN13Barcode
{
    NKD_BARCODE_KIND(NKDEAN8Barcode)

public:
    static constexpr int dataDigits = 7;

    using NKDBarcode::initWithContent;
    void initWithContent(const QString& content, bool printsCaption) override;
    void generateChecksum() override;
    bool isContentValid() const override;
    std::string barcode() const override;
    QString caption() const override;
    int digitsToLeft() const override { return 0; }
    QString leftCaption() const override { return {}; }
    float barBottom(int module, const BarcodeSettings& settings) const override;
};

#pragma once

#include "barcodes/NKDAbstractUPCEANBarcode.h"

// UPC-A: 11 digits and a check digit. A twelfth digit given is the check digit and must be
// right; longer content is invalid.
class NKDUPCABarcode : public NKDAbstractUPCEANBarcode
{
    NKD_BARCODE_KIND(NKDUPCABarcode)

public:
    // Digits before the check digit.
    static constexpr int dataDigits = 11;

    using NKDBarcode::initWithContent;
    void initWithContent(const QString& content, bool printsCaption) override;
    bool isContentValid() const override;
    std::string barcode() const override;
    QString caption() const override;
};

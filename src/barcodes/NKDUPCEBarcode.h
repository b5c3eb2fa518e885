#pragma once

#include "barcodes/NKDUPCABarcode.h"

// UPC-E: number system 0 or 1 and six digits (7 characters), with an optional eighth check
// digit that must be right, or the 11 digits of a UPC-A number that compresses. The check
// digit comes from the UPC-A number the symbol stands for and picks the digits' parities.
class NKDUPCEBarcode : public NKDUPCABarcode
{
    NKD_BARCODE_KIND(NKDUPCEBarcode)

public:
    // Number system and six digits, before the check digit.
    static constexpr int symbolDigits = 7;

    using NKDBarcode::initWithContent;
    void initWithContent(const QString& content, bool printsCaption) override;
    bool isContentValid() const override;
    std::string barcode() const override;
    std::string terminator() const override { return "010101"; }
    QString caption() const override;
    // Whether the digit at position 1 to 6 is written with even parity.
    bool parityForDigit(int position) const;
    float barBottom(int module, const BarcodeSettings& settings) const override;

    // The six digits of a UPC-A number's compressed form, or "" when it has none (the product
    // code's dropped digits are not all zero).
    static QString UPCAToUPCE(const QString& upca);
    // The 11 digits of the UPC-A number that 7 UPC-E digits stand for, or "" when the text is
    // not 7 digits.
    static QByteArray UPCEToUPCA(const QByteArray& upce);

protected:
    int endGuardModules() const override { return 7; }
    int centreGuardStart() const override { return -100; }
};

#pragma once

#include "barcodes/NKDBarcode.h"

// Modified Plessey (MSI): each digit as four bits, most significant first, a 0 bit as
// "100" and a 1 bit as "110", between start "110" and stop "1001", with a modulo-10 check
// digit on every symbol.
class NKDModifiedPlesseyBarcode : public NKDBarcode
{
    NKD_BARCODE_KIND(NKDModifiedPlesseyBarcode)

public:
    using NKDBarcode::initWithContent;
    void initWithContent(const QString& content, bool printsCaption) override;
    // Longest content accepted, in digits (hexadecimal ones for the hex form), as a dedicated
    // encoder allows.
    static constexpr int maximumDigits = 65;

    bool isContentValid() const override
    {
        return !content().isEmpty() && content().size() <= maximumDigits && NKDBarcode::isContentValid();
    }
    std::string _encodeChar(char c) const override;
    std::string initiator() const override { return "110"; }
    std::string terminator() const override { return "1001"; }
    void generateChecksum() override;

    // The modulo-10 check digit of any number of digits; '\0' for an empty or non-digit text.
    static char modulo10CheckDigit(const QByteArray& digits);
};

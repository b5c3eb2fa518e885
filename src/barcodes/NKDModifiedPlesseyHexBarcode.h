#pragma once

#include "barcodes/NKDModifiedPlesseyBarcode.h"

// Plessey with hexadecimal digits: each digit as four bits, least significant first, a 0 bit
// as "1000" and a 1 bit as "1110", followed by the eight bits of its CRC.
class NKDModifiedPlesseyHexBarcode : public NKDModifiedPlesseyBarcode
{
    NKD_BARCODE_KIND(NKDModifiedPlesseyHexBarcode)

public:
    std::string _encodeChar(char c) const override;
    std::string initiator() const override;
    std::string terminator() const override;
    // The digits' bits and their CRC, worked out from the content each time so that copies and
    // archives cannot lose it.
    std::string barcode() const override;
    // No check digit: the CRC takes its place.
    void generateChecksum() override { setCheckDigit(-1); }

    // The eight check bits of the digits' bits (in the order written), as a number whose bit 0
    // is written first; -1 when a character is not a hex digit.
    static int plesseyCrc(const QByteArray& hexDigits);
};

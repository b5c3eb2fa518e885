#pragma once

#include "barcodes/NKDBarcode.h"

// Codabar: digits and "-$:/.+" between a start and a stop letter A to D, characters
// separated by a narrow space. Content without its own start and stop letters is framed by
// "A" and "A" in the symbol; the caption stays as typed.
class NKDCodabarBarcode : public NKDBarcode
{
    NKD_BARCODE_KIND(NKDCodabarBarcode)

public:
    // Longest symbol accepted, in characters with the start and stop letters, as a dedicated
    // encoder allows.
    static constexpr int maximumCharacters = 60;

    std::string _encodeChar(char c) const override;
    std::string barcode() const override;
    bool isContentValid() const override;

    // The characters written, start and stop letters included.
    QByteArray symbolText() const;
};

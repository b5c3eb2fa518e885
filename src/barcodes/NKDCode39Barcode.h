#pragma once

#include "barcodes/NKDBarcode.h"

// Code 39: 43 data characters framed by "*", each 13 modules (narrow 1, wide 2, then a
// one-module gap). Content is upper-cased; "*" is kept for the frame.
class NKDCode39Barcode : public NKDBarcode
{
    NKD_BARCODE_KIND(NKDCode39Barcode)

public:
    using NKDBarcode::initWithContent;
    void initWithContent(const QString& content, bool printsCaption) override;
    std::string _encodeChar(char c) const override;
    std::string initiator() const override;
    std::string terminator() const override;
    bool isContentValid() const override;
    // The modulo-43 check character (not used by the barcode window).
    void generateChecksum() override;

    // Longest symbol accepted, in Code 39 characters between start and stop (as a dedicated
    // encoder allows); longer symbols outgrow a scanner's field of view.
    static constexpr int maximumCharacters = 85;

    // The 13 modules of a Code 39 character, empty when it has none.
    static std::string code39Pattern(char c);
};

#pragma once

#include "barcodes/NKDBarcode.h"

// RM4SCC: digits and upper-case letters (content is upper-cased), four bars each of which is
// a tracker, an ascender, a descender or a full bar, between an ascender start bar and a
// full stop bar, with the published check character.
class NKDRoyalMailBarcode : public NKDBarcode
{
    NKD_BARCODE_KIND(NKDRoyalMailBarcode)

public:
    // Longest content accepted, as a dedicated encoder allows.
    static constexpr int maximumCharacters = 50;

    using NKDBarcode::initWithContent;
    void initWithContent(const QString& content, bool printsCaption) override;
    void setContent(const QString& content) override;
    bool isContentValid() const override;
    bool printsCaption() const override { return true; }
    bool printsHeader() const override { return true; }
    bool printsFooter() const override { return true; }
    std::string initiator() const override { return "10"; }
    std::string terminator() const override { return "1"; }
    std::string _encodeChar(char c) const override;
    void generateChecksum() override;
    bool hasFourStateBars() const override { return true; }
    float barTop(int module, const BarcodeSettings& settings) const override;
    float barBottom(int module, const BarcodeSettings& settings) const override;

    // Bar states: 2 ascender, 1 descender, 3 full, 0 tracker.
    int _barDescriptor(int module) const;
    // Four 4-bit groups, the first bar in the highest; 0 (four trackers) for other characters.
    static int characterDescriptor(char c);
};

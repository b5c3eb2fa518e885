#pragma once

#include "barcodes/NKDBarcode.h"

// The Japan Post customer barcode: a 7-digit postal code and address digits, letters written
// as a control character and a digit, padded to 20 symbol characters, with a modulo-19 check
// character; each character three four-state bars. The symbol's size (8.5 to 11.5 points)
// sets the bar width and the bar heights and is kept apart from the picture's total height.
class JapanPostBarcode : public NKDBarcode
{
    NKD_BARCODE_KIND(JapanPostBarcode)

public:
    // Every symbol holds this many characters: shorter values are padded and longer addresses
    // cut to fit, as the symbology prescribes, so no value makes the symbol grow.
    static constexpr int symbolCharacters = 20;
    // A value begins with the postal code, in digits.
    static constexpr int postalCodeDigits = 7;

    using NKDBarcode::initWithContent;
    void initWithContent(const QString& content, bool printsCaption, float barWidth, float height, float fontSize,
        int checkDigit) override;
    // Converts to the symbol text and keeps the printable form as the content.
    void setContent(const QString& content) override;
    // The symbol size in points, clamped to 8.5 ... 11.5; the bar width follows.
    void setSymbolHeight(float size);
    float symbolHeight() const { return symbolHeight_; }
    // Clamped to 1.3333334 ... 1.9166666 points; the symbol size follows (6 bar widths).
    void setBarWidth(float barWidth) override;
    bool isContentValid() const override;
    bool printsCaption() const override { return true; }
    bool printsHeader() const override { return true; }
    bool printsFooter() const override { return true; }
    std::string initiator() const override { return "1010"; }
    std::string terminator() const override { return "101"; }
    std::string _encodeChar(char c) const override;
    std::string barcode() const override;
    void generateChecksum() override;
    bool hasFourStateBars() const override { return true; }
    float barTop(int module, const BarcodeSettings& settings) const override;
    float barBottom(int module, const BarcodeSettings& settings) const override;

    QString japanpostContents() const { return japanpostContents_; }
    // Bar kind: 3 long, 2 ascender, 1 descender, 0 timing.
    int _barDescriptor(int module) const;

protected:
    // The symbol size is the user's choice and apart from the picture's height; the symbol text
    // cannot be made again from a cut printable text.
    void encodeKindFields(QDataStream& out) const override;
    std::function<void()> decodeKindFields(QDataStream& in) override;

private:
    QString japanpostContents_;
    float symbolHeight_ = 10.0f;
};

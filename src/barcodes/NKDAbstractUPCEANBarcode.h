#pragma once

#include "barcodes/NKDBarcode.h"

// What the UPC and EAN kinds share: 7-module digit patterns (L, and R and G made from it),
// the guards, a fifth of quiet zone in the width, and the guard bars' bottoms.
class NKDAbstractUPCEANBarcode : public NKDBarcode
{
public:
    std::string _encodeChar(char c) const override;
    std::string initiator() const override { return "101"; }
    std::string terminator() const override { return "101"; }
    void calculateWidth() override;
    int digitsToLeft() const override { return 1; }
    int digitsToRight() const override { return 1; }
    QString rightCaption() const override;
    void generateChecksum() override;
    float barBottom(int module, const BarcodeSettings& settings) const override;
    float firstBar() const override { return width() * 0.1f; }
    float lastBar() const override { return width() * 0.9f - barWidth(); }

    // Each '0' turned to '1' and every other character to '0'.
    static std::string swapHandedness(const std::string& modules);
    // swapHandedness read backwards.
    static std::string swapParity(const std::string& modules);
    // The L (odd parity, left-hand) pattern of a digit; empty for anything else.
    static std::string leftOddPattern(char digit);
    static std::string rightPattern(char digit) { return swapHandedness(leftOddPattern(digit)); }
    static std::string leftEvenPattern(char digit) { return swapParity(leftOddPattern(digit)); }
    // The published modulo-10 check digit: weights 3 and 1 from the rightmost digit, which
    // weighs 3. '\0' when the text holds anything but digits.
    static char modulo10CheckDigit(const QByteArray& digits);
    static bool allDigits(const QByteArray& text);

protected:
    // Number of modules from each end that are guard bars; plus the centre guard.
    bool isGuardModule(int module, int length) const;
    virtual int endGuardModules() const { return 7; }
    virtual int centreGuardStart() const { return 45; }
};

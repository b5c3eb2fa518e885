#pragma once

#include "barcodes/NKDBarcode.h"

#include <vector>

// Code 128 in one code set chosen before encoding: 0 set A, 1 set B, 2 set C, 3 automatic
// (resolved by the initialiser). A character that the set lacks is written with SHIFT; an odd
// digit at the end of set C content is written after CODE B. The check value (0 to 102) is
// kept in checkDigit.
class NKDCode128Barcode : public NKDBarcode
{
public:
    enum CodeSet
    {
        SetA = 0,
        SetB = 1,
        SetC = 2,
        Automatic = 3
    };

    QString className() const override { return QStringLiteral("NKDCode128Barcode"); }

    // Longest symbol accepted, in data symbols (SHIFT and set changes count), as a dedicated
    // encoder allows; a longer symbol is too wide to scan.
    static constexpr int maximumDataSymbols = 60;

    int codeSet() const { return codeSet_; }
    void setCodeSet(int codeSet) { codeSet_ = codeSet; }

    // Null content gives no object.
    static std::unique_ptr<NKDCode128Barcode> create(const QString& content, bool printsCaption, int codeSet);

    using NKDBarcode::initWithContent;
    void initWithContent(const QString& content, bool printsCaption) override;
    std::string initiator() const override;
    std::string terminator() const override;
    std::string _encodeChar(char c) const override;
    std::string barcode() const override;
    bool isContentValid() const override;
    QString whyContentInvalid() const override;
    void generateChecksum() override;

    // The symbol of a character in a set, empty when the set has none.
    static std::string _encodeChar(char c, int set);
    static bool _canEncodeChar(char c, int set) { return !_encodeChar(c, set).empty(); }
    // The symbol of a two-digit text's value, empty above 102 or for non-digits.
    static std::string _encodeNumberPair(const QByteArray& pair);
    // Value of a character in sets A and B (control characters as in set A, DEL as in set B).
    static int _valueForChar(char c);
    // The 11 modules of a symbol value (0 to 105), the 13 of the stop for 106.
    static std::string symbolPattern(int value);
    int _bestCodeSetForContent() const;

    // The values that write one character in a set: itself, or SHIFT and its value in the
    // other set; none when neither set has it.
    static std::vector<int> symbolsForCharacter(char c, int set);

    // The symbol values from the first data symbol to the last, without start, check or stop.
    std::vector<int> dataSymbols() const;

protected:
    std::unique_ptr<NKDBarcode> clone() const override { return std::make_unique<NKDCode128Barcode>(*this); }
    // The set is a choice made before the content was seen, so it travels with the archive.
    void encodeKindFields(QDataStream& out) const override;
    std::function<void()> decodeKindFields(QDataStream& in) override;

private:
    int codeSet_ = SetA;
};

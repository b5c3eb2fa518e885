#pragma once

#include "barcodes/NKDCode39Barcode.h"

// Full ASCII Code 39: characters outside the Code 39 set are written as the published pairs
// of Code 39 characters. Content keeps its case.
class NKDExtendedCode39Barcode : public NKDCode39Barcode
{
    NKD_BARCODE_KIND(NKDExtendedCode39Barcode)

public:
    using NKDBarcode::initWithContent;
    void initWithContent(const QString& content, bool printsCaption) override;
    std::string _encodeChar(char c) const override;
    bool isContentValid() const override;
    QString getRequirementDescription() const;

    // The one or two Code 39 characters that stand for c; empty when c has none here.
    static QByteArray fullAsciiPair(char c);
};

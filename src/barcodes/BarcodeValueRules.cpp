#include "barcodes/BarcodeValueRules.h"

#include "barcodes/BarcodeSymbologies.h"
#include "barcodes/JapanPostBarcode.h"
#include "barcodes/NKDCodabarBarcode.h"
#include "barcodes/NKDCode128Barcode.h"
#include "barcodes/NKDEAN8Barcode.h"
#include "barcodes/NKDExtendedCode39Barcode.h"
#include "barcodes/NKDIndustrialTwoOfFiveBarcode.h"
#include "barcodes/NKDModifiedPlesseyHexBarcode.h"
#include "barcodes/NKDPlanetBarcode.h"
#include "barcodes/NKDRoyalMailBarcode.h"
#include "barcodes/NKDUPCEBarcode.h"

#include <QStringList>

#include <array>

namespace {

using KindTexts = std::array<QString, BarcodeSymbologyTitles.size()>;

QString checkDigitRule(int dataDigits)
{
    return QStringLiteral("%1 digits, or %2 with the right check digit last").arg(dataDigits).arg(dataDigits + 1);
}

QString postnetLengths()
{
    const auto& counts = NKDPostnetBarcode::digitCounts;
    QStringList shown;
    for (size_t i = 0; i + 1 < counts.size(); ++i)
        shown << QString::number(counts[i]);
    return shown.join(QStringLiteral(", ")) + QStringLiteral(" or ") + QString::number(counts.back());
}

// Each kind's sentence, without the kind's title in front.
KindTexts describeKinds()
{
    const QString code128 = QStringLiteral("characters without accents (7-bit ASCII), as many as %1 symbols hold")
                                .arg(NKDCode128Barcode::maximumDataSymbols);
    const QString text2D = QStringLiteral("text without accented letters (7-bit ASCII), as much as ");
    return {
        QStringLiteral("up to %1 characters: digits, letters (written as capitals), spaces and - . $ / + %")
            .arg(NKDCode39Barcode::maximumCharacters),
        QStringLiteral("letters, digits, spaces, punctuation, tabs and line breaks without accents (7-bit ASCII), up "
                       "to %1 Code 39 characters; a small letter or a punctuation mark takes two")
            .arg(NKDExtendedCode39Barcode::maximumCharacters),
        QStringLiteral("1 to %1 digits").arg(NKDInterleavedTwoOfFiveBarcode::maximumDigits),
        checkDigitRule(NKDUPCABarcode::dataDigits),
        postnetLengths() + QStringLiteral(" digits"),
        QStringLiteral("1 to %1 digits").arg(NKDModifiedPlesseyBarcode::maximumDigits),
        QStringLiteral("1 to %1 hexadecimal digits (0 to 9 and A to F)")
            .arg(NKDModifiedPlesseyHexBarcode::maximumDigits),
        QStringLiteral("1 to %1 digits").arg(NKDIndustrialTwoOfFiveBarcode::maximumDigits),
        checkDigitRule(NKDEAN13Barcode::dataDigits),
        code128,
        code128,
        code128,
        QStringLiteral("digits only, as many as %1 symbols of two digits each hold")
            .arg(NKDCode128Barcode::maximumDataSymbols),
        // The start and stop letters count among the characters, whether given or added.
        QStringLiteral("up to %1 digits and - $ : / . + characters, which start and stop letters A to D may frame")
            .arg(NKDCodabarBarcode::maximumCharacters - 2),
        QStringLiteral("%1 digits beginning with 0 or 1, or %2 with the right check digit last, or the %3 digits of a "
                       "UPC-A number that compresses")
            .arg(NKDUPCEBarcode::symbolDigits)
            .arg(NKDUPCEBarcode::symbolDigits + 1)
            .arg(NKDUPCABarcode::dataDigits),
        checkDigitRule(NKDEAN8Barcode::dataDigits),
        QStringLiteral("1 to %1 digits and letters A to Z").arg(NKDRoyalMailBarcode::maximumCharacters),
        postnetLengths() + QStringLiteral(" digits"),
        QStringLiteral("a postal code of %1 digits first, then the address's digits, letters and hyphens")
            .arg(JapanPostBarcode::postalCodeDigits),
        text2D + QStringLiteral("the chosen version and error correction level hold"),
        text2D + QStringLiteral("the symbol holds at the chosen error correction level"),
        text2D + QStringLiteral("the chosen size holds"),
    };
}

} // namespace

QString whatBarcodeKindTakes(int symbologyIndex)
{
    static const KindTexts takes = describeKinds();
    if (symbologyIndex < 0 || symbologyIndex >= int(takes.size()))
        return {};
    return QStringLiteral("%1 takes %2.")
        .arg(QLatin1String(BarcodeSymbologyTitles[size_t(symbologyIndex)]), takes[size_t(symbologyIndex)]);
}

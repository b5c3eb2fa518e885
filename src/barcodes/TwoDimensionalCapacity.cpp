#include "barcodes/TwoDimensionalCapacity.h"

#include "barcodes/BarcodeGenSettings.h"
#include "barcodes/BarcodeOptionItems.h"
#include "barcodes/BarcodeSymbols2D.h"
#include "barcodes/CQR_Encode.h"
#include "barcodes/DataMatrixSymbolSize.h"
#include "barcodes/QREncoder.h"
#include "barcodes/pdf417View.h"

#include <functional>

namespace {

QString modeName(int mode)
{
    switch (mode) {
    case CQR_Encode::QR_MODE_NUMERAL:
        return QStringLiteral("numeric");
    case CQR_Encode::QR_MODE_ALPHABET:
        return QStringLiteral("alphanumeric");
    default:
        return QStringLiteral("byte");
    }
}

// The most leading characters of the value that the encoder takes: the encoders pack
// characters by their neighbours, so no fixed count per character tells it.
qsizetype longestPrefixThatFits(const QString& value, const std::function<bool(const QString&)>& fits)
{
    qsizetype fitting = 0;
    qsizetype tooMany = value.size();
    while (tooMany - fitting > 1) {
        const qsizetype middle = fitting + (tooMany - fitting) / 2;
        if (fits(value.left(middle)))
            fitting = middle;
        else
            tooMany = middle;
    }
    return fitting;
}

struct Limit
{
    QString symbol; // the kind with its chosen settings
    qsizetype holds = 0; // characters of the value's mode
};

Limit qrLimit(const BarcodeGenSettings& settings, int mode)
{
    // The automatic version ends at the largest.
    const int version = settings.qr_version_index > 0 ? settings.qr_version_index : qrtables::kMaxVersion;
    const QString level = QLatin1String(optionItem(QRLevelItems, settings.qr_ec_index));
    return { settings.qr_version_index > 0
            ? QStringLiteral("QR Code version %1 at error correction level %2").arg(QString::number(version), level)
            : QStringLiteral("QR Code at error correction level %1, even at version %2")
                  .arg(level, QString::number(version)),
        qsizetype(QREncoder::characterCapacity(mode, version, settings.qr_ec_index)) };
}

Limit pdf417Limit(const BarcodeGenSettings& settings, const QString& value)
{
    // The encoder lowers the error correction level when the data needs its room.
    return { QStringLiteral("PDF417, even at its lowest error correction level"),
        longestPrefixThatFits(
            value, [&](const QString& part) { return pdf417View::holds(part, settings.pdf_ec_val); }) };
}

Limit dataMatrixLimit(const BarcodeGenSettings& settings, const QString& value)
{
    const DataMatrixSize size
        = dataMatrixFormatSize(QLatin1String(optionItem(DataMatrixFormatItems, settings.dm_format_index)));
    const DataMatrixSymbolSize& largest = ecc200matrix().back();
    QString symbol = size.columns > 0
        ? QStringLiteral("Data Matrix of %1 × %2 modules").arg(size.rows).arg(size.columns)
        : QStringLiteral("Data Matrix, even at %1 × %2 modules").arg(largest.rows).arg(largest.columns);
    if (settings.dm_encoding_index > 0)
        symbol += QStringLiteral(" in %1 encodation")
                      .arg(QLatin1String(optionItem(DataMatrixEncodingItems, settings.dm_encoding_index)));
    return { symbol, longestPrefixThatFits(value, [&](const QString& part) {
                return encodeDataMatrixValue(part.toLatin1(), settings).isValid();
            }) };
}

} // namespace

QString whyTwoDimensionalValueIsTooLong(const BarcodeGenSettings& settings, const QString& value)
{
    if (!settings.isTwoDimensional() || value.isEmpty())
        return {};
    const QByteArray bytes = value.toLatin1();
    const int mode = QREncoder::characterMode(bytes);
    const QString title = settings.symbologyTitle();
    Limit limit;
    if (title == QLatin1String("QR Code"))
        limit = qrLimit(settings, mode);
    else if (title == QLatin1String("PDF417") && !pdf417View::holds(value, settings.pdf_ec_val))
        limit = pdf417Limit(settings, value);
    else if (title == QLatin1String("DataMatrix") && !encodeDataMatrixValue(bytes, settings).isValid())
        limit = dataMatrixLimit(settings, value);
    else
        return {};
    if (limit.holds >= value.size() || limit.holds <= 0)
        return {};
    return QStringLiteral("The value is too long for %1: it holds %2 %3 in %4 mode, and the value has %5.")
        .arg(limit.symbol, QString::number(limit.holds),
            limit.holds == 1 ? QStringLiteral("character") : QStringLiteral("characters"), modeName(mode),
            QString::number(value.size()));
}

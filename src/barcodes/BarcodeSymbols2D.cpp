#include "barcodes/BarcodeSymbols2D.h"

#include "barcodes/BarcodeGenSettings.h"
#include "barcodes/BarcodeOptionItems.h"
#include "barcodes/BarcodeSizing.h"
#include "barcodes/DataMatrixEncoder.h"
#include "barcodes/DataMatrixPicture.h"
#include "barcodes/QREncoder.h"
#include "barcodes/pdf417View.h"
#include "common/StringHelpers.h"
#include "render/GeneratedImages.h"

#include <algorithm>
#include <cstdio>

namespace {

// An image at 72 dpi raised to the resolution, keeping the given size in points.
Picture raisedPicture(const QImage& image, const QSizeF& sizeInPoints, const BarcodeGenSettings& settings)
{
    const QImage raised = Increase_DPI(image, settings.USED_DPI_VALUE());
    if (raised.isNull())
        return {};
    return Picture::fromImage(raised, sizeInPoints);
}

} // namespace

Picture Draw_QR_Barcode(const QString& value, const BarcodeGenSettings& settings)
{
    const auto grid = QREncoder::encodeWithECLevel(settings.qr_ec_index, settings.qr_version_index, value);
    if (!grid)
        return {};
    const QImage image = QREncoder::renderDataMatrix(grid.get(), settings.qr_size_val);
    if (image.isNull())
        return {};
    return raisedPicture(image, QSizeF(image.width(), image.height()), settings);
}

Picture Draw_PDF_417_Barcode(const QString& value, const BarcodeGenSettings& settings)
{
    pdf417View view(QSizeF(settings.pdf_wdt_val, settings.pdf_hgt_val));
    // Setting the level logs it: once per batch row would flood the log.
    if (view.getErrorLevel() != settings.pdf_ec_val)
        view.setErrorLevel(settings.pdf_ec_val);
    view.drawWithText(value);
    return view.getImage();
}

DataMatrixSize dataMatrixFormatSize(const QString& item)
{
    if (item == QLatin1String("Auto"))
        return {};
    const QString size = item.mid(1);
    const int x = size.indexOf(QLatin1Char('X'));
    if (x < 0)
        return {};
    return { Trim_Str(size.mid(x + 1)).toInt(), Trim_Str(size.left(x)).toInt() };
}

std::optional<std::string> dataMatrixEncodingString(int encodingIndex, int byteCount)
{
    const char letter = encodingIndex > 0 && size_t(encodingIndex) < DataMatrixEncodingLetters.size()
        ? DataMatrixEncodingLetters[size_t(encodingIndex)]
        : 0;
    if (letter == 0)
        return std::nullopt;
    return std::string(size_t(byteCount), letter);
}

Picture Draw_DataMatrix_Barcode(const QString& value, const BarcodeGenSettings& settings)
{
    const QByteArray bytes = value.toUtf8();
    const DataMatrixSize size
        = dataMatrixFormatSize(QLatin1String(optionItem(DataMatrixFormatItems, settings.dm_format_index)));
    int W = size.columns;
    int H = size.rows;
    std::optional<std::string> encoding = dataMatrixEncodingString(settings.dm_encoding_index, int(bytes.size()));
    int used = 0;
    int capacity = 0;
    int checkCodewords = 0;
    const std::vector<uint8_t> grid = iec16022ecc200(
        W, H, encoding, std::string_view(bytes.constData(), size_t(bytes.size())), &used, &capacity, &checkCodewords);
    if (grid.empty() || W == 0) {
        // One write, so that lines of threads drawing at once do not interleave.
        std::fprintf(stderr,
            "No barcode produced\nSize    : %dx%d\nEncoded : %d of %d bytes with %d bytes of ecc\n"
            "Barcode : %s\nEncoding: %s\n",
            W, H, used, capacity, checkCodewords, bytes.constData(), encoding ? encoding->c_str() : "");
        return {};
    }
    const QImage image = dataMatrixImage(grid, W, H, 1, 1);
    if (image.isNull())
        return {};
    const int module = std::clamp(settings.dm_module_val, 1, 100);
    return raisedPicture(image, QSizeF(W * module, H * module), settings);
}

#include "barcodes/BarcodePictures.h"

#include "barcodes/NKDBarcodeOffscreenView.h"
#include "platform/PngEncoder.h"

Picture imageFromBarcode(const NKDBarcode& barcode, const BarcodeSettings& settings)
{
    NKDBarcodeOffscreenView view(barcode, settings);
    return view.dataWithPDFInsideRect(view.bounds());
}

Picture imageFromBarcodeImage(const QImage& symbol, const QSizeF& symbolSizeInPoints, const BarcodeSettings& settings)
{
    if (symbol.isNull())
        return {};
    NKDBarcodeOffscreenView view(symbol, symbolSizeInPoints, settings);
    return view.dataWithPDFInsideRect(view.bounds());
}

Picture imageFromBarcodeImage(const Picture& symbol, const BarcodeSettings& settings)
{
    if (symbol.isNull())
        return {};
    NKDBarcodeOffscreenView view(symbol, settings);
    return view.dataWithPDFInsideRect(view.bounds());
}

QByteArray pdfFromBarcode(const NKDBarcode& barcode, const BarcodeSettings& settings)
{
    return imageFromBarcode(barcode, settings).toPdf();
}

QByteArray barcodePng(const Picture& picture, double dpi, const QColor& background)
{
    // Crisp edges keep the usual two colours two, so the PNG takes one bit per pixel, and
    // scanners read whole-pixel bars best.
    return encodePngFast(picture.toImage(dpi, background, Picture::Edges::Crisp));
}

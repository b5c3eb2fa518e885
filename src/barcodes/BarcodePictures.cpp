#include "barcodes/BarcodePictures.h"

#include "barcodes/NKDBarcodeOffscreenView.h"

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

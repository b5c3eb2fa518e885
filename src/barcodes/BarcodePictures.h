#pragma once

#include "platform/Picture.h"

#include <QByteArray>
#include <QImage>

class NKDBarcode;
struct BarcodeSettings;

// Barcode pictures in points, drawable at any resolution. A null picture means failure.

// A linear barcode painted with the settings: background, bars, caption, header, footer.
Picture imageFromBarcode(const NKDBarcode& barcode, const BarcodeSettings& settings);
// A two-dimensional symbol (its size in points) framed by the settings' header and footer, at
// the settings' overall width and height. A null symbol gives a null picture.
Picture imageFromBarcodeImage(const QImage& symbol, const QSizeF& symbolSizeInPoints, const BarcodeSettings& settings);
Picture imageFromBarcodeImage(const Picture& symbol, const BarcodeSettings& settings);
// A barcode picture rasterised at a resolution on its background with crisp edges, as PNG
// bytes (written for speed: batch runs make one per row).
QByteArray barcodePng(const Picture& picture, double dpi, const QColor& background = Qt::white);
// The linear picture as a one-page PDF.
QByteArray pdfFromBarcode(const NKDBarcode& barcode, const BarcodeSettings& settings);

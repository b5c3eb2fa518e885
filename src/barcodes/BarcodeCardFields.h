#pragma once

#include "barcodes/BarcodeGenSettings.h"
#include "platform/Picture.h"

#include <QString>

#include <functional>

class SKTGraphic;

// The barcode fields of a card object and the settings record, both ways.

// The object's barcode settings, its data source and the resolution and QR and PDF417
// choices that the generation reads. Fonts and colours the object does not hold keep the
// record's defaults.
BarcodeGenSettings loadBarcodeFields(const SKTGraphic& graphic);
// Writes the 38 barcode fields, the spread-caption choice and the data source choice into
// the object.
void storeBarcodeFields(const BarcodeGenSettings& settings, SKTGraphic& graphic);
// The picture the object's own fields give (null when its value makes none).
Picture barcodePictureFromFields(const SKTGraphic& graphic);
// A barcode read from a file holds its picture as pixels. Its own fields draw the same
// picture again at full resolution, so the reopened card shows the pixels it showed
// before it was saved; a picture the fields do not give back (other fonts, another
// version) is kept as read.
void restoreBarcodePicture(SKTGraphic& barcode);
// The pictures of the object's barcode for data row values: its fields read once, then each
// value drawn with its header and footer. Callable from any thread.
std::function<Picture(const QString& value)> barcodeRowMaker(const SKTGraphic& graphic);

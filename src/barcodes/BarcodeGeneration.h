#pragma once

#include "barcodes/BarcodeSettings.h"
#include "barcodes/NKDBarcode.h"
#include "platform/Picture.h"

#include <memory>

struct BarcodeGenSettings;

// One barcode made from a settings record. Everything it holds is its own, so generations on
// several threads at once share nothing.
struct BarcodeGeneration
{
    std::unique_ptr<NKDBarcode> barcode; // the linear barcode, sized; none for 2-D kinds
    Picture symbol; // the 2-D symbol alone, at its size in points
    BarcodeSettings render; // what the picture was painted with
    Picture picture; // the finished picture; null when nothing was made
};

// The barcode of a value with its header and footer: a linear barcode sized by its bars,
// texts and margins, or a two-dimensional symbol framed by its own size. Nothing is made for
// an empty value, a value the kind refuses, or a symbology that draws nothing. Safe to call
// from any thread: it reads only its arguments.
BarcodeGeneration Generate_Barcode_Variable(
    const BarcodeGenSettings& settings, const QString& value, const QString& header, const QString& footer);

// Whether a value may be encoded at all: not empty, and 7-bit ASCII only (a single space
// passes). Each kind then applies its own rules.
bool isValidBarcodeValue(const QString& value);

// Why the kind refuses a value that gives no barcode: the reason the kind names (for a 2-D
// kind, a value too long for its settings), or else what the kind takes. "" for an empty value.
QString whyValueIsRefused(const BarcodeGenSettings& settings, const QString& value);

// The finished picture alone (with its size in points): what a batch row puts on the card.
Picture Get_Image_From_Val(
    const BarcodeGenSettings& settings, const QString& value, const QString& header, const QString& footer);

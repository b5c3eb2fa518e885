#pragma once

#include "barcodes/DataMatrixEncoder.h"
#include "platform/Picture.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>

struct BarcodeGenSettings;

// The three two-dimensional kinds drawn from the settings' options, each as the symbol alone
// at its size in points (header and footer come later), its modules drawn as vectors so that
// they stay sharp at any resolution. Null when the value does not fit. Each call encodes
// afresh, so several threads may draw at once.

// At the QR size (whole points per module, centred), version and level.
Picture Draw_QR_Barcode(const QString& value, const BarcodeGenSettings& settings);
// At the PDF417 width and height, with its error level.
Picture Draw_PDF_417_Barcode(const QString& value, const BarcodeGenSettings& settings);
// At the chosen size (or the smallest that holds the value) and encodation, drawn from the
// module grid with one light module around it, and sized to the columns and rows times the
// module size.
Picture Draw_DataMatrix_Barcode(const QString& value, const BarcodeGenSettings& settings);
// The Data Matrix symbol of the bytes at the chosen size and encodation, or the refusal; logs
// nothing.
DataMatrixSymbol encodeDataMatrixValue(const QByteArray& bytes, const BarcodeGenSettings& settings);

// Columns and rows asked for by a size item ("C8X18" is 8 rows of 18 columns); 0 and 0 for
// "Auto" or an item without "X".
struct DataMatrixSize
{
    int columns = 0;
    int rows = 0;
};
DataMatrixSize dataMatrixFormatSize(const QString& item);
// The encoder's encoding string: the encodation's letter once per byte; none for "Auto".
std::optional<std::string> dataMatrixEncodingString(int encodingIndex, int byteCount);

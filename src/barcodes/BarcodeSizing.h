#pragma once

#include <QSizeF>

class NKDBarcode;
struct BarcodeGenSettings;
struct BarcodeSettings;

// The barcode window's arithmetic: lengths typed in a unit become points, and a barcode's
// overall size grows by its shown caption, header, footer and margins.

// A length in a unit (0 inches, 1 centimetres, 2 millimetres) in points.
float Unit_To_Points(float length, int unit);
// A bar width in mils (thousandths of an inch) in points.
float Mils_To_Points(float mils);

// Sets a linear barcode's overall height: bar height, shown caption, header and footer bands
// with their margins, and the top and bottom margin twice. The barcode's band heights must be
// measured first (its font-size setters).
void Set_Barcode_Height(NKDBarcode& barcode, const BarcodeGenSettings& settings);
// The overall width of a linear barcode after calculateWidth(): the widest of bars and shown
// texts, the side margins twice, and a further 15 points when there is a side margin.
float Set_Linear_Barcode_Width(const NKDBarcode& barcode, const BarcodeGenSettings& settings);
// Sets the overall size of a two-dimensional picture in render (its width and height), from
// the symbol's size and render's measured header and footer.
void Set_2d_Barcode_Size(const QSizeF& symbol, const BarcodeGenSettings& settings, BarcodeSettings& render);

// The smallest QR edge for a version (0 automatic): that of its module count, at least 21.
int Check_And_Set_QR_size_Acc_Version(int version);

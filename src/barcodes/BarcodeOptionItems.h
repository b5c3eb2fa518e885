#pragma once

#include <array>

// The items of the barcode window's choice lists. Card objects store the chosen index, so
// the order never changes.

// Header and footer alignment: the painter compares these words.
inline constexpr std::array<const char*, 3> BarcodeAlignmentItems = { "Left", "Center", "Right" };

// Preview placement of a linear barcode inside the preview area.
inline constexpr std::array<const char*, 9> BarcodePlacementItems
    = { "Center", "Top", "TopLeft", "TopRight", "Left", "Bottom", "BottomLeft", "BottomRight", "Right" };

// Resolution of two-dimensional symbols in dots per inch.
inline constexpr std::array<const char*, 7> BarcodeDpiItems = { "Auto", "72", "150", "300", "600", "1200", "Custom" };
inline constexpr int BarcodeAutoDpi = 600;
inline constexpr int BarcodeMinimumDpi = 72;
inline constexpr int BarcodeMaximumDpi = 2400;

// QR error-correction levels in the encoder's order (the index is the level).
inline constexpr std::array<const char*, 4> QRLevelItems = { "L (7%)", "M (15%)", "Q (25%)", "H (30%)" };
// QR encoding modes: the choice is recorded only; the encoder picks the modes itself.
inline constexpr std::array<const char*, 4> QRModeItems = { "Auto", "Numeric", "Alphanumeric", "Byte" };

// Data Matrix sizes: "C" rows "X" columns.
inline constexpr std::array<const char*, 31> DataMatrixFormatItems
    = { "Auto", "C10X10", "C12X12", "C14X14", "C16X16", "C18X18", "C20X20", "C22X22", "C24X24", "C26X26", "C32X32",
          "C36X36", "C40X40", "C44X44", "C48X48", "C52X52", "C64X64", "C72X72", "C80X80", "C88X88", "C96X96",
          "C104X104", "C120X120", "C132X132", "C144X144", "C8X18", "C8X32", "C12X26", "C12X36", "C16X36", "C16X48" };
// Data Matrix encodations with the letter the encoder takes for each byte ("Auto" has none).
inline constexpr std::array<const char*, 5> DataMatrixEncodingItems = { "Auto", "Ascii", "C40", "Text", "Base256" };
inline constexpr std::array<char, 5> DataMatrixEncodingLetters = { 0, 'A', 'C', 'T', 'B' };

// The item at an index, or "" outside the list.
template <size_t N> const char* optionItem(const std::array<const char*, N>& items, int index)
{
    return index >= 0 && size_t(index) < N ? items[size_t(index)] : "";
}

// Ranges of the window's numbers; stored values outside them are brought inside on loading.
struct BarcodeRange
{
    double minimum;
    double maximum;
};
inline constexpr BarcodeRange BarHeightRange { 0.1, 30 }; // centimetres
inline constexpr BarcodeRange BarWidthRange { 5, 200 }; // mils
inline constexpr BarcodeRange MarginRange { 0, 5 }; // centimetres
inline constexpr BarcodeRange QRSizeRange { 21, 2000 }; // points
inline constexpr BarcodeRange PdfWidthRange { 20, 2000 }; // points
inline constexpr BarcodeRange PdfHeightRange { 10, 1000 }; // points
inline constexpr BarcodeRange PdfLevelRange { 0, 8 };
inline constexpr BarcodeRange DataMatrixModuleRange { 1, 20 }; // points per module

#pragma once

#include <QString>

#include <array>
#include <memory>

class NKDBarcode;

// The symbology titles in their one fixed order. A card object stores a barcode's symbology
// as an index into this list, so the order never changes: the nineteen linear kinds, then
// the three two-dimensional ones.
inline constexpr std::array<const char*, 22> BarcodeSymbologyTitles = {
    "Code 39",
    "Extended Code 39",
    "Interleaved 2 of 5",
    "UPCA",
    "PostNet",
    "Modified Plessey",
    "Modified Plessey (Hex)",
    "Industrial 2 of 5",
    "EAN-13",
    "Code 128",
    "Code 128 SET A",
    "Code 128 SET B",
    "Code 128 SET C",
    "Codabar",
    "UPCE",
    "EAN-8",
    "Royal Mail Barcode (RM4SCC / CBC)",
    "Planet",
    "Japan Post Barcode",
    "QR Code",
    "PDF417",
    "DataMatrix",
};

inline constexpr int LinearSymbologyCount = 19;

// The index of a title, or -1.
int indexOfBarcodeSymbology(const QString& title);

// A linear barcode of the titled kind (Code 128 titles with their code set), initialised with
// the content; none for null content or a title that is not a linear kind.
std::unique_ptr<NKDBarcode> createLinearBarcode(const QString& title, const QString& content, bool printsCaption);

#pragma once

#include <QString>

// What a kind of barcode takes, told to the person whose value it refuses: one sentence per
// kind, in the order of BarcodeSymbologyTitles, with the limits the kinds' own checks apply.
// "" for an index that names no kind.
QString whatBarcodeKindTakes(int symbologyIndex);

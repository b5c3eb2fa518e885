#pragma once

#include "barcodes/NKDPostnetBarcode.h"

// PLANET: POSTNET with full and half bars exchanged; the frame bars stay full.
class NKDPlanetBarcode : public NKDPostnetBarcode
{
    NKD_BARCODE_KIND(NKDPlanetBarcode)

public:
    float _heightForDigit(int index, int bar) const override;
};

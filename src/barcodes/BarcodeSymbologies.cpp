#include "barcodes/BarcodeSymbologies.h"

#include "barcodes/JapanPostBarcode.h"
#include "barcodes/NKDCodabarBarcode.h"
#include "barcodes/NKDCode128Barcode.h"
#include "barcodes/NKDEAN8Barcode.h"
#include "barcodes/NKDExtendedCode39Barcode.h"
#include "barcodes/NKDIndustrialTwoOfFiveBarcode.h"
#include "barcodes/NKDModifiedPlesseyHexBarcode.h"
#include "barcodes/NKDPlanetBarcode.h"
#include "barcodes/NKDRoyalMailBarcode.h"
#include "barcodes/NKDUPCEBarcode.h"

int indexOfBarcodeSymbology(const QString& title)
{
    for (size_t i = 0; i < BarcodeSymbologyTitles.size(); ++i) {
        if (title == QLatin1String(BarcodeSymbologyTitles[i]))
            return int(i);
    }
    return -1;
}

std::unique_ptr<NKDBarcode> createLinearBarcode(const QString& title, const QString& content, bool printsCaption)
{
    switch (indexOfBarcodeSymbology(title)) {
    case 0:
        return NKDBarcode::create<NKDCode39Barcode>(content, printsCaption);
    case 1:
        return NKDBarcode::create<NKDExtendedCode39Barcode>(content, printsCaption);
    case 2:
        return NKDBarcode::create<NKDInterleavedTwoOfFiveBarcode>(content, printsCaption);
    case 3:
        return NKDBarcode::create<NKDUPCABarcode>(content, printsCaption);
    case 4:
        return NKDBarcode::create<NKDPostnetBarcode>(content, printsCaption);
    case 5:
        return NKDBarcode::create<NKDModifiedPlesseyBarcode>(content, printsCaption);
    case 6:
        return NKDBarcode::create<NKDModifiedPlesseyHexBarcode>(content, printsCaption);
    case 7:
        return NKDBarcode::create<NKDIndustrialTwoOfFiveBarcode>(content, printsCaption);
    case 8:
        return NKDBarcode::create<NKDEAN13Barcode>(content, printsCaption);
    case 9:
        return NKDCode128Barcode::create(content, printsCaption, NKDCode128Barcode::Automatic);
    case 10:
        return NKDCode128Barcode::create(content, printsCaption, NKDCode128Barcode::SetA);
    case 11:
        return NKDCode128Barcode::create(content, printsCaption, NKDCode128Barcode::SetB);
    case 12:
        return NKDCode128Barcode::create(content, printsCaption, NKDCode128Barcode::SetC);
    case 13:
        return NKDBarcode::create<NKDCodabarBarcode>(content, printsCaption);
    case 14:
        return NKDBarcode::create<NKDUPCEBarcode>(content, printsCaption);
    case 15:
        return NKDBarcode::create<NKDEAN8Barcode>(content, printsCaption);
    case 16:
        return NKDBarcode::create<NKDRoyalMailBarcode>(content, printsCaption);
    case 17:
        return NKDBarcode::create<NKDPlanetBarcode>(content, printsCaption);
    case 18:
        return NKDBarcode::create<JapanPostBarcode>(content, printsCaption);
    default:
        return nullptr;
    }
}

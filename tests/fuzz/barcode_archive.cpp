// An archived barcode read back: any bytes must be refused or read, never crash.
#include "barcodes/BarcodeSymbologies.h"
#include "barcodes/NKDBarcode.h"

#include <QCoreApplication>
#include <QDataStream>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int kind = data[0] % LinearSymbologyCount;
    auto barcode = createLinearBarcode(QString::fromLatin1(BarcodeSymbologyTitles[size_t(kind)]), QString(""), true);
    if (!barcode)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    QDataStream in(bytes);
    if (barcode->initWithCoder(in)) {
        (void)barcode->isContentValid();
        (void)barcode->completeBarcode();
        (void)barcode->caption();
    }
    return 0;
}

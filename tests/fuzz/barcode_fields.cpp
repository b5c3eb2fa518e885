// Card objects from arbitrary archives through the barcode fields into a barcode picture: a
// design file decides every setting that a batch row generates with.
#include "FuzzApplication.h"

#include "barcodes/BarcodeCardFields.h"
#include "model/SKTGraphic.h"

#include <cstdint>

// Fontconfig keeps its caches until the process ends; they are not ours to free.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ensureFuzzApplication();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const SKTGraphicPtr graphic = SKTGraphic::unarchive(bytes)) {
        const Picture picture = barcodePictureFromFields(*graphic);
        if (!picture.isNull())
            picture.toImage(72);
    }
    return 0;
}

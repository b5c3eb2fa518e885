#include "jobs/RowApplication.h"

#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"

#include <mutex>

namespace {

std::mutex generatorLock;

RowApplication::BarcodeGenerator& installedGenerator()
{
    static RowApplication::BarcodeGenerator generator;
    return generator;
}

// A copy taken under the lock, so a generator installed meanwhile never tears a call.
RowApplication::BarcodeGenerator currentGenerator()
{
    std::lock_guard lock(generatorLock);
    return installedGenerator();
}

} // namespace

void RowApplication::setBarcodeGenerator(BarcodeGenerator generator)
{
    std::lock_guard lock(generatorLock);
    installedGenerator() = std::move(generator);
}

RowApplication::Applier RowApplication::prepare(SKTGraphic& object)
{
    if (auto* text = dynamic_cast<SKTText*>(&object))
        return [text](const QString& value) { text->Text_contents()->setString(value); };
    if (auto* image = dynamic_cast<SKTImage*>(&object))
        return [image](const QString& value) { image->setFilePath(value); };
    if (auto* barcode = dynamic_cast<SKTBarcode*>(&object)) {
        const BarcodeGenerator generator = currentGenerator();
        BarcodeMaker maker = generator ? generator(*barcode) : BarcodeMaker();
        if (!maker)
            return [](const QString&) {};
        return [barcode, maker = std::move(maker)](const QString& value) {
            const Picture picture = maker(value);
            if (!picture.isNull())
                barcode->Set_Barcode_image(picture);
        };
    }
    return [](const QString&) {};
}

void RowApplication::applyValue(SKTGraphic& object, const QString& value)
{
    prepare(object)(value);
}

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

void RowApplication::applyValue(SKTGraphic& object, const QString& value)
{
    if (dynamic_cast<SKTText*>(&object)) {
        object.Text_contents()->setString(value);
    } else if (auto* image = dynamic_cast<SKTImage*>(&object)) {
        image->setFilePath(value);
    } else if (dynamic_cast<SKTBarcode*>(&object)) {
        const BarcodeGenerator generator = currentGenerator();
        if (!generator)
            return;
        const Picture picture = generator(object, value);
        if (!picture.isNull())
            object.Set_Barcode_image(picture);
    }
}

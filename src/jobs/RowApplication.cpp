#include "jobs/RowApplication.h"

#include "model/PictureFile.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"

#include <QPainter>

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

RowApplication::Applier RowApplication::prepare(SKTGraphic& object, const QString& pictureFolder)
{
    if (auto* text = dynamic_cast<SKTText*>(&object))
        return [text](const QString& value) {
            text->Text_contents()->setString(value);
            return Applied {};
        };
    if (auto* image = dynamic_cast<SKTImage*>(&object))
        return [image, pictureFolder](const QString& value) {
            Applied applied;
            applied.picture = findRowPicture(value, pictureFolder);
            const QString path = applied.picture.found ? applied.picture.path : value;
            // The last row's picture goes first: held while the next is read, it could take the
            // room that one needs.
            image->setPicture({});
            image->Set_Control_File_path(path);
            image->setPicture(PictureFile::load(path, &applied.reason, &applied.refusal));
            // An empty cell asks for no picture; a file named but not read leaves the card
            // without its picture, which the run must say.
            applied.made = value.trimmed().isEmpty() || !image->picture().isNull();
            return applied;
        };
    if (auto* barcode = dynamic_cast<SKTBarcode*>(&object)) {
        const BarcodeGenerator generator = currentGenerator();
        BarcodeMaker maker = generator ? generator(*barcode) : BarcodeMaker();
        if (!maker)
            return [](const QString&) { return Applied {}; };
        // A workers' card copy serves many rows: a row without a barcode must not show the
        // picture an earlier row left, nor the sample, so it gets a frame that draws nothing.
        const QSizeF frame = barcode->bounds().size();
        const Picture empty = Picture::record(frame.isEmpty() ? QSizeF(1, 1) : frame, [](QPainter&) {});
        return [barcode, maker = std::move(maker), empty](const QString& value) {
            const Picture picture = maker(value);
            barcode->Set_Barcode_image(picture.isNull() ? empty : picture);
            Applied applied;
            applied.made = !picture.isNull();
            return applied;
        };
    }
    return [](const QString&) { return Applied {}; };
}

bool RowApplication::applyValue(SKTGraphic& object, const QString& value, const QString& pictureFolder)
{
    return prepare(object, pictureFolder)(value).made;
}

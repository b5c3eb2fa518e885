#pragma once

#include "platform/Picture.h"

#include <QString>

#include <functional>

class SKTGraphic;

// Puts one data row's value into one object of a job's snapshot (never the live design).
// Which object takes which column is the caller's business.
class RowApplication
{
public:
    // Makes one barcode object's picture for a value; a null picture means the value gives no
    // barcode (empty, or refused by the kind). Made once per object (its settings read once),
    // then called for every row, from any thread.
    using BarcodeMaker = std::function<Picture(const QString& value)>;
    // Makes the maker of a barcode object. The program's set-up installs the barcode
    // generation; until then barcodes keep their picture.
    using BarcodeGenerator = std::function<BarcodeMaker(const SKTGraphic& barcode)>;
    static void setBarcodeGenerator(BarcodeGenerator generator);

    // Writes a value into the object it was made for. False when the value gave a barcode
    // object no barcode, or named a picture file that could not be read.
    using Applier = std::function<bool(const QString& value)>;

    // A text object shows the value in the attributes of its first run; an image object
    // loads the picture file the value names; a barcode object gets its own maker's picture
    // of the value, or an empty frame of its size when the value gives none (never the
    // picture an earlier row left). Other kinds are left alone. The object must outlive the
    // applier.
    static Applier prepare(SKTGraphic& object);

    // prepare(object)(value), for a single value.
    static bool applyValue(SKTGraphic& object, const QString& value);

    // The file a picture object looked for when given value, for the list of cards whose
    // picture could not be read. The picture lookup reports no path of its own, so this is the
    // value as the lookup takes it ("~" expanded); one that resolves names elsewhere says so here.
    static QString picturePathTried(const QString& value);
};

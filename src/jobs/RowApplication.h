#pragma once

#include "model/PictureFile.h"
#include "model/RowPicture.h"
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

    // What writing a value into its object gave.
    struct Applied
    {
        // False when the value gave a barcode object no barcode, or named a picture file that
        // could not be read.
        bool made = true;
        // For an image object: where its picture was looked for and whether a file was there,
        // and when it was not read, why (the loader's reason and its kind).
        RowPictureLookup picture;
        QString reason;
        PictureFile::Refusal refusal = PictureFile::Refusal::None;
    };
    // Writes a value into the object it was made for.
    using Applier = std::function<Applied(const QString& value)>;

    // A text object shows the value in the attributes of its first run; an image object
    // loads the picture file the value names (see findRowPicture: a bare name is looked for
    // in pictureFolder, the folder of the workbook or file the rows came from, first); a
    // barcode object gets its own maker's picture of the value, or an empty frame of its size
    // when the value gives none (never the picture an earlier row left). Other kinds are left
    // alone. The object must outlive the applier.
    static Applier prepare(SKTGraphic& object, const QString& pictureFolder = QString());

    // prepare(object, pictureFolder)(value).made, for a single value.
    static bool applyValue(SKTGraphic& object, const QString& value, const QString& pictureFolder = QString());
};

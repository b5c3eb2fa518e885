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
    // Makes a barcode object's picture for a value; a null picture leaves the object as it
    // was. The barcode generation installs it; until then barcodes keep their picture.
    using BarcodeGenerator = std::function<Picture(const SKTGraphic& barcode, const QString& value)>;
    static void setBarcodeGenerator(BarcodeGenerator generator);

    // A text object shows the value in the attributes of its first run; an image object
    // loads the picture file the value names; a barcode object gets the generator's picture
    // of the value. Other kinds are left alone.
    static void applyValue(SKTGraphic& object, const QString& value);
};

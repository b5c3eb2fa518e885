#pragma once

#include "platform/Picture.h"
#include "platform/PngEncoder.h"

#include <QString>

// Card pictures as image files: names, the combined picture and the writing. Plain code, so
// the workers of a batch call it directly.

// What an export writes: the file extension (its format: tiff, jpeg, png, bmp), the raster
// resolution, the side ("BOTH", "F" or "B") and whether both sides go into one picture.
struct CardExportSettings
{
    QString extension = QStringLiteral("png");
    double dpi = 300.0;
    QString side = QStringLiteral("F");
    bool combined = false;

    bool bothSides() const { return side == QLatin1String("BOTH"); }
    bool frontOnly() const { return side == QLatin1String("F"); }
};

// The front's file is the path itself; the back's has "_Back" after the file's base name,
// in the same folder (Card_3.png gives Card_3_Back.png).
QString Create_Front_Card_Path(const QString& path);
QString Create_Back_Card_Path(const QString& path);

// The files a card is written to as the settings ask, in the order they are written; path is
// the front's file.
QStringList cardFilePaths(const CardExportSettings& settings, const QString& path);

// One picture twice the front's height: the front in the upper half, the back below. A null
// picture when either side is missing.
Picture Export_Combined_Image(const Picture& front, const Picture& back);

// The format an image file's extension names, as CardExportSettings::extension gives it
// ("tiff", "jpeg", "png", "bmp"; "tif" and "jpg" too, in any case); "" for any other.
QString cardFileFormat(const QString& extension);

// What a worker keeps from card to card, so that each card reuses the memory of the last.
struct CardEncodingBuffers
{
    QImage raster;
    PngBuffers png;
};

// The file's bytes: the picture rasterised at dpi on whole pixels (stretched by less than
// half a pixel where its size is not whole pixels, so an opaque card stays opaque to its
// edges), encoded in the format its extension names (PNG for an unknown one), with the
// resolution stored in the file. Empty when the picture is null or cannot be encoded.
QByteArray encodeCardPicture(
    const Picture& picture, double dpi, const QString& extension, CardEncodingBuffers* buffers = nullptr);

// Writes bytes whole or not at all, replacing what is there. False with the reason when the
// file cannot be written. One file of a batch of many is written without waiting for the disk.
enum class CardFileUse
{
    Single,
    OneOfMany,
};
bool writeCardFile(const QString& path, const QByteArray& bytes, QString* error, CardFileUse use = CardFileUse::Single);

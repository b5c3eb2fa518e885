#pragma once

#include "platform/Picture.h"

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

// One picture twice the front's height: the front in the upper half, the back below. A null
// picture when either side is missing.
Picture Export_Combined_Image(const Picture& front, const Picture& back);

// The file's bytes: the picture rasterised at dpi, encoded in the format its extension names
// (PNG for an unknown one), with the resolution stored in the file. Empty when the picture
// is null or cannot be encoded.
QByteArray encodeCardPicture(const Picture& picture, double dpi, const QString& extension);

// Writes bytes whole or not at all, replacing what is there. False with the reason when the
// file cannot be written.
bool writeCardFile(const QString& path, const QByteArray& bytes, QString* error);

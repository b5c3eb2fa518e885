#pragma once

#include "barcodes/QRModuleGrid.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <memory>

class QColor;

// The QR Code front end of the barcode window: checks that a text fits the chosen version
// and level, encodes it and turns the module grid into an image. Stateless; safe to call
// from several threads at once.
class QREncoder
{
public:
    // level 0-3 (L, M, Q, H); version 1-40, or 0 for the smallest version that holds the
    // text. The text is encoded as its UTF-8 bytes. Null when it does not fit.
    static std::unique_ptr<QRModuleGrid> encodeWithECLevel(int level, int version, const QString& text);
    // The same for raw bytes (every byte is encoded, a zero byte included). Shift JIS pairs
    // are not taken as Kanji: front-end text is UTF-8.
    static std::unique_ptr<QRModuleGrid> encodeCStringWithECLevel(int level, int version, const QByteArray& bytes);

    // A square image of imageDimension pixels: whole pixels per module, centred, with
    // transparent margins for what the integer scale leaves over. A side smaller than the
    // grid grows to one pixel per module. Null for a missing or empty grid. 72 dpi, so the
    // size in points equals the size in pixels.
    static QImage renderDataMatrix(const QRModuleGrid* grid, int imageDimension);

    // Characters of one mode (CQR_Encode's mode numbers) that a symbol of the version and
    // level can carry; 0 outside 1-40 / 0-3.
    static int64_t characterCapacity(int mode, int version, int level);
    // The single mode whose capacity a chosen version checks the bytes against.
    static int characterMode(const QByteArray& bytes);

    // 0xAARRGGBB, each component its 0-1 value times 255, truncated.
    static quint32 hexadecimalValueOfColor(const QColor& color);

private:
    static std::unique_ptr<QRModuleGrid> encodeChecked(int level, int version, const QByteArray& bytes);
};

#pragma once

#include "platform/Picture.h"

#include <QImage>
#include <QSizeF>

struct pdf417param;

// Images of an encoded PDF417 symbol. A bit image has one pixel per module and one pixel
// row per symbol row, in QImage::Format_Mono with bit 1 a (black) bar, whatever the
// record's inversion option.

// Null when the record holds no symbol.
QImage pdf417BitImage(const pdf417param& param);
// Whole pixels per module, rows rowPixels high, quietModules white modules on every side;
// the form that decoders and pixel-exact output want. Null for a null bit image.
QImage pdf417ModuleImage(const QImage& bitImage, int modulePixels, int rowPixels, int quietModules);
// The symbol stretched over the size in points, drawn as filled rectangles so that it
// stays sharp at any resolution. Null for a null bit image or an empty size.
Picture pdf417Picture(const QImage& bitImage, const QSizeF& size);

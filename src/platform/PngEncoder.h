#pragma once

#include <QByteArray>
#include <QImage>

// PNG bytes of an image, written for speed and in the smallest lossless form that one look
// at its pixels finds: two colours at 1 bit per pixel (grey for black and white, else a
// two-entry palette), grey at 8 bits, else RGB; RGBA only where a pixel is not opaque. Deeper
// rows are stored as differences to the row above and packed with fast compression. The
// image's resolution is kept. Empty on failure.
QByteArray encodePngFast(const QImage& image);

#pragma once

#include <QByteArray>
#include <QImage>

// PNG bytes of an image, made for speed over size: rows are stored as differences to the row
// above (a barcode's bars repeat row after row) and packed with fast compression. Grey images
// are written with one channel, others as RGB; alpha is dropped (pictures are flattened on
// their background). The image's resolution is kept. Empty on failure.
QByteArray encodePngFast(const QImage& image);

#pragma once

#include <QByteArray>
#include <QImage>

#include <vector>

// PNG bytes of an image, written for speed and in the smallest lossless form that one look
// at its pixels finds: two colours at 1 bit per pixel (grey for black and white, else a
// palette, also for black on white where many long rows make white at 0 pay), grey at 8
// bits, else RGB; RGBA only where a pixel is not opaque. Deeper rows are stored as
// differences to the row above and packed with fast compression. The image's resolution is
// kept. Empty on failure.
struct PngBuffers;
QByteArray encodePngFast(const QImage& image, PngBuffers* buffers = nullptr);

// Working memory that a caller encoding image after image keeps between them: fresh buffers
// of a card's size cost a page fault every 4 KiB, which is most of the kernel's share of a
// batch export.
struct PngBuffers
{
    std::vector<uchar> rows; // pixels in the file's form
    std::vector<uchar> lines; // the same behind their filter bytes
    std::vector<uchar> packed; // deflated
};

#pragma once

#include <QRectF>

#include <vector>

class QPaintDevice;
class QPainter;

// True for a 32-bit image, whose pixels the crisp drawing below may write directly.
bool isPlain32BitImage(const QPaintDevice* device);

// Fills rectangles with the painter's brush straight into the pixels of the image it paints
// on, covering the pixels whose centres they hold, as the painter does without antialiasing
// (a bar picture of a barcode is hundreds of them, and the painter's general rasteriser is
// slow for each). Only for the case that needs no blending: an opaque solid brush, no pen,
// full opacity, no clip, a scaled and moved coordinate system, on a 32-bit image. Answers
// false, having drawn nothing, in any other case.
bool fillCrispRects(QPainter& painter, const std::vector<QRectF>& rects);

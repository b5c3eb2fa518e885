#pragma once

#include <QFont>

class QPaintDevice;

// Card text is sized in points on a 72-dpi device. On a device of another resolution (a
// widget, a printer) the same font would come out larger or smaller than the geometry
// around it, so it is rescaled to keep one point equal to one logical unit.
QFont deviceFont(const QFont& pointFont, const QPaintDevice* device);

// A 72-dpi device, on which a font's point size is its size in card units, for laying out
// and measuring card text away from any painter. Only read after it is made, so any thread
// may use it.
const QPaintDevice* pointSizedDevice();

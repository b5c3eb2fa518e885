#pragma once

#include <QFont>

class QPaintDevice;

// Card text is sized in points on a 72-dpi device. On a device of another resolution (a
// widget, a printer) the same font would come out larger or smaller than the geometry
// around it, so it is rescaled to keep one point equal to one logical unit.
QFont deviceFont(const QFont& pointFont, const QPaintDevice* device);

#pragma once

#include <QImage>
#include <QString>

// Pictures made for export: plain code with no widget, so batch workers call it directly.

// The image redrawn at dpi dots per inch, keeping its size in points (a picture without a
// stated resolution counts as 72 dpi). A null image, logged, for a null image or a bad dpi.
QImage Increase_DPI(const QImage& image, double dpi);

// Writes the image as PNG to path, replacing what is there; a failure shows the path and
// the reason.
void Save_gen_image(const QImage& image, const QString& path);

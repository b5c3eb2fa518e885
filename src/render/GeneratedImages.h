#pragma once

#include <QImage>
#include <QString>

// Pictures made for export: plain code with no widget, so batch workers call it directly.

// The image redrawn at dpi dots per inch without smoothing, keeping its size in points (a
// picture without a stated resolution counts as 72 dpi). A null image, logged, for a null
// image, a bad dpi or a result beyond the pixel budget (a typo must not allocate gigabytes).
QImage Increase_DPI(const QImage& image, double dpi);
inline constexpr qint64 IncreaseDpiPixelBudget = 40'000'000;

// Writes the image as PNG to path, replacing what is there; a failure shows the path and
// the reason.
void Save_gen_image(const QImage& image, const QString& path);

#pragma once

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <span>

// The symbol as Encapsulated PostScript: one unit per module and one light module around it.
// The value is shown in a comment line, with line breaks, other control bytes, bytes of 128
// and more and the backslash written as \ooo octal escapes so that the text stays 7-bit
// clean and the comment cannot end early. Empty when the grid does not hold W x H cells.
QByteArray makeEPS_Data_Matrix(const QByteArray& value, int W, int H, std::span<const uint8_t> grid);

// The symbol as an image drawn straight from the grid (row 0 at the bottom): every module a
// square of whole pixels, with a light quiet zone of the given modules on every side. Its
// resolution makes one module one point, the size of the EPS drawing. A null image when the
// grid does not hold W x H cells or the image would be unreasonably large.
QImage dataMatrixImage(std::span<const uint8_t> grid, int W, int H, int pixelsPerModule, int quietZoneModules = 1);

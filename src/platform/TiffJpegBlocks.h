#pragma once

#include <QByteArray>

#include <vector>

// The JPEG streams inside a TIFF's first picture (the one Qt reads): its strips or tiles when
// they are JPEG-compressed, and an old-style file's stream of the whole picture. Each is
// decoded on its own, so its cost is its own scans times its own pixels.
namespace TiffJpegBlocks {

struct Block
{
    qsizetype offset = 0; // where the stream starts in the file (within the data)
    qsizetype length = 0;
    qint64 pixels = 0; // the pixels it decodes to
};

bool isTiff(const QByteArray& data);

// Empty when the first picture is not JPEG-compressed or its directory cannot be read (the
// TIFF reader then refuses the file itself). Blocks reaching past the data are cut at its end.
std::vector<Block> blocks(const QByteArray& data);

} // namespace TiffJpegBlocks

#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>

// Picture files as card objects see them: sizes in points, where a file that states no
// resolution counts as 72 dpi.
class PictureFile
{
public:
    // Reads the picture at the standardized path (~ expanded, "." and ".." removed); a
    // design's path into another installation's Resources folder is looked up in ours.
    // A null image when the file is missing or not a readable picture (logged).
    static QImage load(const QString& path);

    // Like load, for the read-only pictures that drawing shows over and over (samples,
    // hatch patterns): kept after the first read and read again only when the file
    // changes. Safe to call from any thread.
    static QImage loadShared(const QString& path);

    // The picture's size in points from its pixel size and resolution.
    static QSizeF sizeInPoints(const QImage& image);

    // The path with "~" expanded and "." and ".." taken out.
    static QString standardizedPath(const QString& path);
};

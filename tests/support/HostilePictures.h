#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Picture files that a person or a design may name, made by the tests themselves: good ones,
// ones cut short and JPEGs of endless scans.
namespace HostilePictures {

// A picture with detail in it, so that its JPEG has data in every scan.
QImage detailed(int width, int height);
// The picture in a format ("PNG", "JPG"); a progressive JPEG when asked.
QByteArray encoded(const QImage& image, const char* format, bool progressive = false);
// A progressive JPEG whose last scan is repeated until it has the given number of scans, as a
// hostile file does: the decoder takes each in turn.
QByteArray jpegOfScans(int scans);
// The same of one colour at a size: a small file (213 KB for 300 scans of 5780 x 5780 pixels)
// whose every scan still has the decoder pass over all its pixels.
QByteArray plainJpegOfScans(int scans, const QSize& size);
// The first fraction of the bytes, as a copy or download that stopped.
QByteArray cutShort(const QByteArray& bytes, double keptFraction);
// Writes bytes to path; false when it could not.
bool writeFile(const QString& path, const QByteArray& bytes);

} // namespace HostilePictures

#pragma once

#include <QByteArray>
#include <QString>

// Cheap checks of a picture file's bytes before they are decoded: a JPEG or PNG cut short
// would decode to a picture grey or blank below the cut, and a JPEG of thousands of scans, or
// of hundreds at a large size (alone or in a TIFF's strips), keeps its decoder busy for
// minutes or seconds.
namespace PictureIntegrity {

// A progressive JPEG of a camera or an editor has about ten scans.
constexpr int maxJpegScans = 300;
// The decoder passes over the whole picture in every scan, about a nanosecond a pixel, so its
// work is scans times pixels: ten scans of a 100-megapixel photo take it about a second.
constexpr qint64 maxJpegScanPixels = qint64(10) * 100'000'000;

// Why the bytes are not to be decoded; empty when they may be.
QString refusal(const QByteArray& data);

} // namespace PictureIntegrity

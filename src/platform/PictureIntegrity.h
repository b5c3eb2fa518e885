#pragma once

#include <QByteArray>
#include <QString>

// Cheap checks of a picture file's bytes before they are decoded: a JPEG or PNG cut short
// would decode to a picture grey or blank below the cut, and a JPEG of thousands of scans
// keeps its decoder busy for minutes.
namespace PictureIntegrity {

// A progressive JPEG of a camera or an editor has about ten scans.
constexpr int maxJpegScans = 300;

// Why the bytes are not to be decoded; empty when they may be.
QString refusal(const QByteArray& data);

} // namespace PictureIntegrity

#pragma once

#include <QByteArray>

#include <functional>
#include <optional>

// The marker segments of a JPEG's header, the tables and frame settings that precede its
// first scan.
namespace JpegSegments {

struct Segment
{
    uchar marker = 0; // the byte after FF
    qsizetype body = 0; // where the bytes after the length field start
    qsizetype length = 0; // the length field: its own two bytes and the body's
};

// The first header segment that wanted accepts; none when no segment before the first scan
// (or the end of the bytes) does.
std::optional<Segment> find(const QByteArray& data, const std::function<bool(const Segment&)>& wanted);

} // namespace JpegSegments

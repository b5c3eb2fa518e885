#include "platform/JpegSegments.h"

#include <QtEndian>

namespace JpegSegments {

std::optional<Segment> find(const QByteArray& data, const std::function<bool(const Segment&)>& wanted)
{
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    qsizetype at = 2; // after the start-of-image marker
    while (at + 4 <= data.size() && bytes[at] == 0xFF) {
        const uchar marker = bytes[at + 1];
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) // pixels begin, or the end
            return std::nullopt;
        const Segment segment { marker, at + 4, qFromBigEndian<quint16>(bytes + at + 2) };
        if (wanted(segment))
            return segment;
        if (segment.length < 2)
            return std::nullopt;
        at += 2 + segment.length;
    }
    return std::nullopt;
}

} // namespace JpegSegments

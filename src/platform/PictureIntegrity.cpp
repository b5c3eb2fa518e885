#include "platform/PictureIntegrity.h"

#include "platform/JpegSegments.h"
#include "platform/TiffJpegBlocks.h"

#include <QByteArrayView>
#include <QtEndian>

#include <algorithm>

namespace PictureIntegrity {

namespace {

const QString cutShort = QStringLiteral("The picture file is incomplete: it ends before its last part.");

// The picture's width times height from its frame header; 0 when it has none.
qint64 jpegPixels(const QByteArray& data)
{
    // Start of frame: C0 to CF but for C4 (Huffman tables), C8 (reserved) and CC (arithmetic
    // conditioning). Its body is the sample precision, then height and width.
    const auto frame = JpegSegments::find(data, [&data](const JpegSegments::Segment& segment) {
        const uchar marker = segment.marker;
        return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC
            && segment.length >= 7 && segment.body + 5 <= data.size();
    });
    if (!frame)
        return 0;
    const auto* body = reinterpret_cast<const uchar*>(data.constData()) + frame->body;
    return qint64(qFromBigEndian<quint16>(body + 1)) * qFromBigEndian<quint16>(body + 3);
}

QString tooManyScans(qint64 scans, qint64 pixels)
{
    return QStringLiteral("The JPEG picture is made of %1 scans of %2 megapixels each: reading it would take too "
                          "long, so it is not read.")
        .arg(scans)
        .arg(double(pixels) / 1e6, 0, 'f', 1);
}

// Entropy-coded data escapes every 0xFF byte (as FF 00, or a restart marker FF D0-D7), so each
// FF DA in the file starts a scan, and FF D9 after the last scan is the end of the picture.
QString jpegRefusal(const QByteArray& data)
{
    int scans = 0;
    qsizetype lastScan = -1;
    for (qsizetype at = data.indexOf("\xFF\xDA"); at >= 0; at = data.indexOf("\xFF\xDA", at + 2)) {
        if (++scans > maxJpegScans)
            return QStringLiteral("The JPEG picture is made of more than %1 scans: it is not read.").arg(maxJpegScans);
        lastScan = at;
    }
    if (lastScan >= 0 && data.indexOf("\xFF\xD9", lastScan + 2) < 0)
        return cutShort;
    const qint64 pixels = jpegPixels(data);
    if (scans * pixels > maxJpegScanPixels)
        return tooManyScans(scans, pixels);
    return {};
}

// A TIFF's JPEG strips or tiles are decoded one by one, each scan passing over its own pixels.
QString tiffRefusal(const QByteArray& data)
{
    qint64 work = 0;
    int scans = 0;
    qint64 largest = 0;
    for (const TiffJpegBlocks::Block& block : TiffJpegBlocks::blocks(data)) {
        const auto bytes = QByteArrayView(data).sliced(block.offset, block.length);
        const auto blockScans = int(std::min<qsizetype>(bytes.count("\xFF\xDA"), maxJpegScans + 1));
        if (blockScans > maxJpegScans)
            return QStringLiteral("The TIFF picture holds a JPEG of more than %1 scans: it is not read.")
                .arg(maxJpegScans);
        work += blockScans * block.pixels;
        scans += blockScans;
        largest = std::max(largest, block.pixels);
        if (work > maxJpegScanPixels)
            return tooManyScans(scans, largest);
    }
    return {};
}

// Chunks follow one another to the end chunk IEND; a file cut short loses it.
QString pngRefusal(const QByteArray& data)
{
    qsizetype at = 8;
    while (at + 12 <= data.size()) {
        const quint32 length = qFromBigEndian<quint32>(data.constData() + at);
        if (data.mid(at + 4, 4) == "IEND")
            return {};
        if (length > quint32(data.size() - at - 12))
            break;
        at += 12 + qsizetype(length); // length, type, data and CRC
    }
    return cutShort;
}

} // namespace

QString refusal(const QByteArray& data)
{
    if (data.startsWith("\xFF\xD8"))
        return jpegRefusal(data);
    if (data.startsWith("\x89PNG\r\n\x1a\n"))
        return pngRefusal(data);
    if (TiffJpegBlocks::isTiff(data))
        return tiffRefusal(data);
    return {};
}

} // namespace PictureIntegrity

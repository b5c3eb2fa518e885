#include "support/HostilePictures.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>

#include <algorithm>

namespace HostilePictures {

QImage detailed(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = qRgb((x * 7) & 255, (y * 5) & 255, ((x ^ y) * 3) & 255);
    }
    return image;
}

QByteArray encoded(const QImage& image, const char* format, bool progressive)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

namespace {

QByteArray withLastScanRepeated(const QByteArray& jpeg, int scans)
{
    const qsizetype lastScan = jpeg.lastIndexOf("\xFF\xDA");
    const qsizetype end = jpeg.lastIndexOf("\xFF\xD9");
    const int made = int(jpeg.count("\xFF\xDA"));
    const QByteArray scan = jpeg.mid(lastScan, end - lastScan);
    return jpeg.left(end) + scan.repeated(std::max(0, scans - made)) + jpeg.mid(end);
}

} // namespace

QByteArray jpegOfScans(int scans)
{
    return withLastScanRepeated(encoded(detailed(64, 48), "JPG", true), scans);
}

QByteArray plainJpegOfScans(int scans, const QSize& size)
{
    QImage plain(size, QImage::Format_RGB32);
    plain.fill(QColor(200, 120, 40));
    return withLastScanRepeated(encoded(plain, "JPG", true), scans);
}

QByteArray cutShort(const QByteArray& bytes, double keptFraction)
{
    return bytes.left(qsizetype(double(bytes.size()) * keptFraction));
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace HostilePictures

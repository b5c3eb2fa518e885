#include "platform/ImageResolution.h"

#include "platform/JpegSegments.h"
#include "platform/PictureIntegrity.h"
#include "platform/SafeRead.h"
#include "platform/SharedImages.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

constexpr double metresPerInch = 0.0254;

int dotsPerMetre(double dpi)
{
    return int(std::lround(dpi / metresPerInch));
}

uint32_t bigEndian32(const uchar* bytes)
{
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | uint32_t(bytes[3]);
}

uint16_t bigEndian16(const uchar* bytes)
{
    return uint16_t(bytes[0] << 8 | bytes[1]);
}

// Qt takes a PNG's resolution from a pHYs chunk in metres, which must precede the pixels.
bool pngStatesResolution(const QByteArray& data)
{
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    const qsizetype size = data.size();
    qsizetype at = 8;
    while (at + 8 <= size) {
        const uint32_t length = bigEndian32(bytes + at);
        const QByteArray type = data.mid(at + 4, 4);
        const qsizetype body = at + 8;
        if (type == "IDAT" || type == "IEND")
            return false;
        if (type == "pHYs")
            return length >= 9 && body + 9 <= size && bytes[body + 8] == 1 && bigEndian32(bytes + body) > 0
                && bigEndian32(bytes + body + 4) > 0;
        if (length > uint32_t(size - body))
            return false;
        at = body + qsizetype(length) + 4; // chunk data and its CRC
    }
    return false;
}

// Qt takes a JPEG's resolution from the JFIF header when its unit is inches or centimetres.
bool jpegStatesResolution(const QByteArray& data)
{
    const auto jfif = JpegSegments::find(data, [&data](const JpegSegments::Segment& segment) {
        return segment.marker == 0xE0 && segment.length >= 14 && segment.body + 12 <= data.size()
            && data.mid(segment.body, 5) == QByteArray("JFIF\0", 5);
    });
    if (!jfif)
        return false;
    const auto* body = reinterpret_cast<const uchar*>(data.constData()) + jfif->body;
    const uchar unit = body[7];
    return (unit == 1 || unit == 2) && bigEndian16(body + 8) > 0 && bigEndian16(body + 10) > 0;
}

} // namespace

std::optional<bool> ImageResolution::statesResolution(const QByteArray& data)
{
    if (data.startsWith("\x89PNG\r\n\x1a\n"))
        return pngStatesResolution(data);
    if (data.startsWith("\xFF\xD8"))
        return jpegStatesResolution(data);
    return std::nullopt;
}

QImage ImageResolution::readImageFile(const QString& path, QString* error)
{
    QByteArray data;
    if (!SafeRead::readRegularFile(path, SafeRead::maxPictureBytes, data, error))
        return QImage();
    return readImageData(data, error);
}

qint64 ImageResolution::decodedBytes(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid())
        return 0;
    // At least four bytes a pixel: the readers refuse a picture by that count whatever its form
    // (a grey one among them), and a form of more (16 bits a sample) takes all of its own.
    const QImage::Format format = reader.imageFormat();
    const qint64 bits
        = std::max(32, format == QImage::Format_Invalid ? 0 : int(QImage::toPixelFormat(format).bitsPerPixel()));
    const qint64 lineBytes = (qint64(size.width()) * bits + 31) / 32 * 4;
    return lineBytes * size.height();
}

void ImageResolution::setLargestDecoded(qint64 bytes)
{
    QImageReader::setAllocationLimit(int(std::min<qint64>(bytes / (1024 * 1024), INT_MAX)));
}

QImage ImageResolution::readImageData(const QByteArray& data, QString* error)
{
    if (const QString refusal = PictureIntegrity::refusal(data); !refusal.isEmpty()) {
        if (error)
            *error = refusal;
        return QImage();
    }
    // Said by its size before the reader refuses it with a text that gives no reason.
    const qint64 needed = decodedBytes(data), limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    if (limit > 0 && needed > limit) {
        if (error)
            *error = SharedImages::aloneOverLimit(needed, limit);
        return QImage();
    }
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // Photos are shown the way up their camera recorded.
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull()) {
        if (error)
            *error = reader.errorString();
        return image;
    }
    // Other formats: Qt leaves its default resolution where the file states none.
    const bool stated = statesResolution(data).value_or(image.dotsPerMeterX() != QImage(1, 1, QImage::Format_RGB32).dotsPerMeterX());
    if (!stated) {
        image.setDotsPerMeterX(dotsPerMetre(defaultDpi));
        image.setDotsPerMeterY(dotsPerMetre(defaultDpi));
    }
    return image;
}

namespace {

// Files and Qt's readers turn a whole dpi into whole dots per metre, rounded or truncated:
// a value within one dot of a whole dpi means that dpi (2835 is 72 dpi, not 72.009), so
// sizes in points come out exact.
double dotsPerInch(int dotsPerMeter)
{
    if (dotsPerMeter <= 0)
        return ImageResolution::defaultDpi;
    const long wholeDpi = std::lround(dotsPerMeter * metresPerInch);
    return std::abs(dotsPerMetre(double(wholeDpi)) - dotsPerMeter) <= 1 ? double(wholeDpi)
                                                                         : dotsPerMeter * metresPerInch;
}

} // namespace

QSizeF ImageResolution::pointSize(const QImage& image)
{
    const auto dpi = dotsPerInch;
    return QSizeF(image.width() * defaultDpi / dpi(image.dotsPerMeterX()),
                  image.height() * defaultDpi / dpi(image.dotsPerMeterY()));
}

QImage ImageResolution::normalizeSize(const QImage& image)
{
    return setDPI(image, int(defaultDpi));
}

QImage ImageResolution::setDPI(const QImage& image, int dpi)
{
    if (image.isNull() || dpi < 1)
        return image;
    QImage result = image;
    result.setDotsPerMeterX(dotsPerMetre(dpi));
    result.setDotsPerMeterY(dotsPerMetre(dpi));
    return result;
}

#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>

#include <optional>

// Picture sizes in points from a picture's pixels and resolution. A picture file that
// states no resolution counts as 72 dpi (one point per pixel); Qt would give it the
// screen's 96 dpi instead.
class ImageResolution
{
public:
    static constexpr double defaultDpi = 72.0;

    // Reads a picture file or its bytes; on failure returns a null image and, when asked,
    // a message saying why.
    static QImage readImageFile(const QString& path, QString* error = nullptr);
    static QImage readImageData(const QByteArray& data, QString* error = nullptr);
    // About the bytes the data's pixels take once decoded, from its header alone; 0 when the
    // header gives no size.
    static qint64 decodedBytes(const QByteArray& data);
    // The largest picture, in bytes of pixels, that the readers decode (Qt's own default is
    // 128 MB); larger ones are refused before their pixels are made.
    static void setLargestDecoded(qint64 bytes);

    // Whether PNG or JPEG data states a resolution that Qt reads; no answer for other
    // formats.
    static std::optional<bool> statesResolution(const QByteArray& data);

    // The picture's size in points; a picture without a usable resolution counts as 72 dpi.
    static QSizeF pointSize(const QImage& image);

    // One point per pixel.
    static QImage normalizeSize(const QImage& image);
    // The resolution that makes the picture width / dpi inches wide. A dpi below 1 leaves
    // the picture as it is.
    static QImage setDPI(const QImage& image, int dpi);
};

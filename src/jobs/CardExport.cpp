#include "jobs/CardExport.h"

#include "platform/CheckedWrite.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>

QString Create_Front_Card_Path(const QString& path)
{
    return path;
}

QString Create_Back_Card_Path(const QString& path)
{
    // Only the last component changes: a folder of the same name stays as it is.
    const QFileInfo file(path);
    const QString name = QStringLiteral("%1_Back.%2").arg(file.completeBaseName(), file.suffix());
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? name : path.left(slash + 1) + name;
}

QStringList cardFilePaths(const CardExportSettings& settings, const QString& path)
{
    if (settings.bothSides() && !settings.combined)
        return { Create_Back_Card_Path(path), Create_Front_Card_Path(path) };
    return { settings.bothSides() || settings.frontOnly() ? Create_Front_Card_Path(path)
                                                          : Create_Back_Card_Path(path) };
}

Picture Export_Combined_Image(const Picture& front, const Picture& back)
{
    if (front.isNull() || back.isNull())
        return Picture();
    const QSizeF half = front.size();
    return Picture::record(QSizeF(half.width(), 2 * half.height()), [&](QPainter& painter) {
        front.draw(painter, QRectF(QPointF(0, 0), half));
        back.draw(painter, QRectF(QPointF(0, half.height()), half));
    });
}

QString cardFileFormat(const QString& extension)
{
    const QString lower = extension.toLower();
    if (lower == QLatin1String("tif") || lower == QLatin1String("tiff"))
        return QStringLiteral("tiff");
    if (lower == QLatin1String("jpg") || lower == QLatin1String("jpeg"))
        return QStringLiteral("jpeg");
    if (lower == QLatin1String("bmp") || lower == QLatin1String("png"))
        return lower;
    return {};
}

namespace {

QByteArray formatOf(const QString& extension)
{
    const QString format = cardFileFormat(extension);
    return format.isEmpty() ? QByteArrayLiteral("png") : format.toLatin1();
}

} // namespace

QByteArray encodeCardPicture(const Picture& picture, double dpi, const QString& extension, CardEncodingBuffers* buffers)
{
    if (picture.isNull())
        return {};
    CardEncodingBuffers ownBuffers;
    CardEncodingBuffers& working = buffers ? *buffers : ownBuffers;
    const QByteArray format = formatOf(extension);
    // JPEG and BMP keep no transparency: the card's corners come out white there.
    const QColor background = format == "png" || format == "tiff" ? QColor(Qt::transparent) : QColor(Qt::white);
    picture.toImage(working.raster, dpi, background, Picture::Edges::Fitted);
    const QImage& image = working.raster;
    if (image.isNull())
        return {};
    if (format == "png")
        return encodePngFast(image, &working.png);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (format == "tiff")
        writer.setCompression(1); // LZW: lossless, and far smaller than raw samples
    if (!writer.write(image))
        return {};
    return bytes;
}

bool writeCardFile(const QString& path, const QByteArray& bytes, QString* error, CardFileUse use)
{
    if (bytes.isEmpty()) {
        if (error)
            *error = QStringLiteral("The card picture could not be made.");
        return false;
    }
    CheckedWriteOptions options;
    options.durable = use == CardFileUse::Single;
    return writeFileChecked(path, bytes, error, options);
}

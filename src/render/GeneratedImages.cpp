#include "render/GeneratedImages.h"

#include "common/Logging.h"
#include "common/MessageBoxes.h"
#include "platform/CheckedWrite.h"
#include "platform/PngEncoder.h"

#include <QPainter>

#include <cmath>

QImage Increase_DPI(const QImage& image, double dpi)
{
    if (image.isNull() || !(dpi > 0.0) || !std::isfinite(dpi)) {
        Show_NSLog_Message(QStringLiteral("Invalid image"));
        return QImage();
    }
    // A picture without a stated resolution counts as 72 dpi.
    const double imageDpi = image.dotsPerMeterX() > 0 && image.dotsPerMeterX() != 3780
        ? double(qRound(image.dotsPerMeterX() * 0.0254))
        : 72.0;
    const double w = image.width() * 72.0 / imageDpi;
    const double h = image.height() * 72.0 / imageDpi;
    const double pixelWidth = std::ceil(float(dpi * w / 72.0));
    const double pixelHeight = std::ceil(float(dpi * h / 72.0));
    if (pixelWidth * pixelHeight > double(IncreaseDpiPixelBudget)) {
        Show_NSLog_Message(QStringLiteral("Image too large at %1 dpi").arg(dpi));
        return QImage();
    }
    QImage bitmap(int(pixelWidth), int(pixelHeight), QImage::Format_ARGB32_Premultiplied);
    if (bitmap.isNull()) {
        Show_NSLog_Message(QStringLiteral("Invalid image"));
        return QImage();
    }
    bitmap.fill(Qt::transparent);
    const int dotsPerMetre = int(std::lround(dpi / 0.0254));
    bitmap.setDotsPerMeterX(dotsPerMetre);
    bitmap.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&bitmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(QRectF(0, 0, pixelWidth, pixelHeight), image);
    painter.end();
    return bitmap;
}

void Save_gen_image(const QImage& image, const QString& path)
{
    // The old file goes only once the new one is whole.
    const QByteArray png = encodePngFast(image);
    QString reason = QStringLiteral("The picture could not be made.");
    if (png.isEmpty() || !writeFileChecked(path, png, &reason)) {
        Show_MessageBox(path);
        Show_MessageBox(reason);
    }
}

#include "platform/DeviceFont.h"

#include <QImage>
#include <QPaintDevice>

#include <cmath>

QFont deviceFont(const QFont& pointFont, const QPaintDevice* device)
{
    if (!device || pointFont.pointSizeF() <= 0)
        return pointFont;
    const int dpi = device->logicalDpiY();
    if (dpi <= 0 || dpi == 72)
        return pointFont;
    QFont scaled = pointFont;
    scaled.setPointSizeF(pointFont.pointSizeF() * 72.0 / dpi);
    return scaled;
}

const QPaintDevice* pointSizedDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMeter = int(std::lround(72 / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return &device;
}

#include "platform/DeviceFont.h"

#include <QPaintDevice>

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

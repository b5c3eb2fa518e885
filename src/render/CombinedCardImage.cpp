#include "render/CombinedCardImage.h"

#include <QPainter>

QImage combinedCardImage(const QList<SKTGraphicPtr>& front, const CardSideBase& frontBase,
    const QList<SKTGraphicPtr>& back, const CardSideBase& backBase)
{
    const Picture frontPicture = SKTRenderingView::image_From_Card_Graphics(front, false, frontBase);
    const Picture backPicture = SKTRenderingView::image_From_Card_Graphics(back, false, backBase);
    if (frontPicture.isNull() || backPicture.isNull())
        return {};
    const QSize side = frontPicture.size().toSize();
    if (side.isEmpty())
        return {};
    QImage combined(side.width(), side.height() * 2, QImage::Format_ARGB32_Premultiplied);
    combined.fill(Qt::white);
    QPainter painter(&combined);
    painter.setRenderHint(QPainter::Antialiasing);
    frontPicture.draw(painter, QRectF(QPointF(0, 0), QSizeF(side)));
    backPicture.draw(painter, QRectF(QPointF(0, side.height()), QSizeF(side)));
    return combined;
}

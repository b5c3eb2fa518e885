#include "dialogs/Repeat_Image.h"

#include <QPaintEvent>
#include <QPainter>

Repeat_Image::Repeat_Image(const QPixmap& tile, QWidget* parent)
    : QWidget(parent)
    , tile_(tile)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize Repeat_Image::sizeHint() const
{
    return QSize(200, tile_.isNull() ? 0 : tile_.height() / std::max<qreal>(1, tile_.devicePixelRatio()));
}

void Repeat_Image::paintEvent(QPaintEvent* event)
{
    if (tile_.isNull())
        return;
    QPainter painter(this);
    // Tiling starts at the widget's own origin, so the dirty rectangle is offset into it.
    painter.drawTiledPixmap(event->rect(), tile_, event->rect().topLeft());
}

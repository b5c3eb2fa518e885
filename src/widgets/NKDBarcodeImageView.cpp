#include "widgets/NKDBarcodeImageView.h"

#include <QMouseEvent>
#include <QPainter>

NKDBarcodeImageView::NKDBarcodeImageView(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void NKDBarcodeImageView::setPicture(const Picture& picture)
{
    picture_ = picture;
    updateGeometry();
    update();
}

QSize NKDBarcodeImageView::sizeHint() const
{
    return picture_.isNull() ? QSize() : picture_.size().toSize();
}

void NKDBarcodeImageView::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    // Shown unscaled (one point per logical pixel) and centred.
    const QSizeF size = picture_.size();
    const QRectF target(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    QPainter painter(this);
    picture_.draw(painter, target);
}

void NKDBarcodeImageView::mousePressEvent(QMouseEvent* event)
{
    event->accept(); // swallowed: no drag, no change
}

#include "barcodewindow/ColourWell.h"

#include "platform/DialogService.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

ColourWell::ColourWell(const QString& name, QWidget* parent)
    : QToolButton(parent)
{
    setObjectName(name);
    setIconSize(QSize(36, 16));
    setToolTip(tr("Choose a colour"));
    connect(this, &QToolButton::clicked, this, &ColourWell::choose);
    setColor(color_);
}

void ColourWell::setColor(const QColor& color)
{
    color_ = color;
    QPixmap swatch(iconSize() * devicePixelRatioF());
    swatch.setDevicePixelRatio(devicePixelRatioF());
    swatch.fill(color);
    QPainter painter(&swatch);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(QRectF(QPointF(0, 0), QSizeF(iconSize())).adjusted(0, 0, -1, -1));
    painter.end();
    setIcon(QIcon(swatch));
}

void ColourWell::choose()
{
    QColorDialog dialog(color_, window());
    dialog.setWindowTitle(toolTip());
    if (dialogs().runModal(dialog) != QDialog::Accepted || !dialog.currentColor().isValid())
        return;
    setColor(dialog.currentColor());
    emit colorChosen(color_);
}

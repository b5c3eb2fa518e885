#include "widgets/ColorWell.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

ColorWell::ColorWell(QWidget* parent)
    : QToolButton(parent)
{
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(32, 16));
    setToolTip(tr("Choose a colour"));
    connect(this, &QToolButton::clicked, this, &ColorWell::openDialog);
    setColor(Qt::black);
}

void ColorWell::setColor(const QColor& color)
{
    color_ = color;
    QPixmap swatch(iconSize());
    swatch.fill(Qt::transparent);
    QPainter painter(&swatch);
    // A chequer under the colour shows how transparent it is.
    painter.fillRect(swatch.rect(), Qt::white);
    for (int x = 0; x < swatch.width(); x += 4)
        for (int y = (x / 4) % 2 * 4; y < swatch.height(); y += 8)
            painter.fillRect(x, y, 4, 4, Qt::lightGray);
    painter.fillRect(swatch.rect(), color);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    painter.end();
    setIcon(QIcon(swatch));
}

void ColorWell::chooseColor(const QColor& color)
{
    if (!color.isValid())
        return;
    setColor(color);
    emit colorChosen(color);
}

void ColorWell::openDialog()
{
    chooseColor(QColorDialog::getColor(color_, this, tr("Colour"), QColorDialog::ShowAlphaChannel));
}

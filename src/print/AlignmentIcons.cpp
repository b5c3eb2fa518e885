#include "print/AlignmentIcons.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace AlignmentIcons {

QIcon icon(int position)
{
    constexpr int side = 24;
    QIcon icon;
    for (const qreal scale : { 1.0, 2.0 }) {
        QPixmap pixmap(int(side * scale), int(side * scale));
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF sheet(3.5, 2.5, 17, 19);
        painter.setPen(QPen(QColor(90, 90, 90), 1));
        painter.setBrush(Qt::white);
        painter.drawRect(sheet);
        const QSizeF block(7, 6);
        const int column = (position - 1) % 3, row = (position - 1) / 3;
        const qreal x = sheet.left() + 2 + column * (sheet.width() - 4 - block.width()) / 2;
        const qreal y = sheet.top() + 2 + row * (sheet.height() - 4 - block.height()) / 2;
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(40, 110, 200));
        painter.drawRect(QRectF(QPointF(x, y), block));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QString toolTip(int position)
{
    static const char* const names[] = { QT_TRANSLATE_NOOP("Print_Wnd", "Top left"),
        QT_TRANSLATE_NOOP("Print_Wnd", "Top centre"), QT_TRANSLATE_NOOP("Print_Wnd", "Top right"),
        QT_TRANSLATE_NOOP("Print_Wnd", "Middle left"), QT_TRANSLATE_NOOP("Print_Wnd", "Middle centre"),
        QT_TRANSLATE_NOOP("Print_Wnd", "Middle right"), QT_TRANSLATE_NOOP("Print_Wnd", "Bottom left"),
        QT_TRANSLATE_NOOP("Print_Wnd", "Bottom centre"), QT_TRANSLATE_NOOP("Print_Wnd", "Bottom right") };
    return QCoreApplication::translate("Print_Wnd", names[position - 1]);
}

} // namespace AlignmentIcons

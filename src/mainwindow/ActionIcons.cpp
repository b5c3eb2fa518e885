#include "mainwindow/ActionIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStandardPaths>
#include <QtMath>

#include <functional>

namespace {

constexpr int iconSize = 24;

// Without a desktop session (offscreen, plain window managers) Qt knows neither a theme nor
// where themes lie; the theme that the setup script installs serves then.
void useInstalledThemeWhenNoneIsSet()
{
    static const bool done = [] {
        if (!QIcon::themeName().isEmpty() && QIcon::themeName() != QLatin1String("hicolor"))
            return true;
        QStringList paths = QIcon::themeSearchPaths();
        for (const QString& folder : QStandardPaths::locateAll(
                 QStandardPaths::GenericDataLocation, QStringLiteral("icons"), QStandardPaths::LocateDirectory))
            if (!paths.contains(folder))
                paths.append(folder);
        QIcon::setThemeSearchPaths(paths);
        QIcon::setThemeName(QStringLiteral("Adwaita"));
        return true;
    }();
    Q_UNUSED(done);
}

QPainterPath starPath(int points, double outer, double inner)
{
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const double radius = i % 2 ? inner : outer;
        const double angle = -M_PI / 2 + i * M_PI / points;
        const QPointF corner(12 + radius * std::cos(angle), 12 + radius * std::sin(angle));
        i == 0 ? path.moveTo(corner) : path.lineTo(corner);
    }
    path.closeSubpath();
    return path;
}

QPainterPath polygonPath(int corners, double radius)
{
    QPainterPath path;
    for (int i = 0; i < corners; ++i) {
        const double angle = -M_PI / 2 + i * 2 * M_PI / corners;
        const QPointF corner(12 + radius * std::cos(angle), 12 + radius * std::sin(angle));
        i == 0 ? path.moveTo(corner) : path.lineTo(corner);
    }
    path.closeSubpath();
    return path;
}

// Bars for the alignment pictures: a guide line and two boxes that meet it.
void alignment(QPainter& p, bool vertical, int guide, int a0, int a1, int b0, int b1)
{
    p.setPen(QPen(QColor(0xc0, 0x1c, 0x28), 1.5));
    if (vertical)
        p.drawLine(QPointF(guide, 2), QPointF(guide, 22));
    else
        p.drawLine(QPointF(2, guide), QPointF(22, guide));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x35, 0x84, 0xe4));
    if (vertical) {
        p.drawRect(QRectF(a0, 5, a1 - a0, 5));
        p.drawRect(QRectF(b0, 14, b1 - b0, 5));
    } else {
        p.drawRect(QRectF(5, a0, 5, a1 - a0));
        p.drawRect(QRectF(14, b0, 5, b1 - b0));
    }
}

using Drawing = std::function<void(QPainter&)>;

const QHash<QString, Drawing>& drawings()
{
    static const QHash<QString, Drawing> table {
        { "arrow",
            [](QPainter& p) {
                QPainterPath path;
                path.moveTo(7, 3);
                path.lineTo(7, 19);
                path.lineTo(11, 15);
                path.lineTo(14, 21);
                path.lineTo(16, 20);
                path.lineTo(13, 14);
                path.lineTo(18, 14);
                path.closeSubpath();
                p.setBrush(Qt::white);
                p.drawPath(path);
            } },
        { "line", [](QPainter& p) { p.drawLine(QPointF(4, 20), QPointF(20, 4)); } },
        { "text",
            [](QPainter& p) {
                QFont font(QStringLiteral("DejaVu Serif"));
                font.setPixelSize(18);
                font.setBold(true);
                p.setFont(font);
                p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("T"));
            } },
        { "rectangle", [](QPainter& p) { p.drawRect(QRectF(3.5, 6.5, 17, 11)); } },
        { "ellipse", [](QPainter& p) { p.drawEllipse(QRectF(3.5, 5.5, 17, 13)); } },
        { "rounded", [](QPainter& p) { p.drawRoundedRect(QRectF(3.5, 6.5, 17, 11), 4, 4); } },
        { "triangle",
            [](QPainter& p) {
                p.drawPolygon(QPolygonF({ { 12, 4 }, { 21, 20 }, { 3, 20 } }));
            } },
        { "diamond",
            [](QPainter& p) {
                p.drawPolygon(QPolygonF({ { 12, 3 }, { 21, 12 }, { 12, 21 }, { 3, 12 } }));
            } },
        { "star", [](QPainter& p) { p.drawPath(starPath(5, 10, 4)); } },
        { "doublestar", [](QPainter& p) { p.drawPath(starPath(10, 10, 6)); } },
        { "polygon", [](QPainter& p) { p.drawPath(polygonPath(6, 9.5)); } },
        { "picture",
            [](QPainter& p) {
                p.drawRect(QRectF(3.5, 5.5, 17, 13));
                p.drawPolyline(QPolygonF({ { 4, 18 }, { 10, 11 }, { 14, 15 }, { 16, 13 }, { 20, 18 } }));
                p.drawEllipse(QRectF(14, 7, 3, 3));
            } },
        { "library",
            [](QPainter& p) {
                p.drawRect(QRectF(6.5, 3.5, 14, 11));
                p.drawRect(QRectF(3.5, 8.5, 14, 11));
            } },
        { "barcode",
            [](QPainter& p) {
                const int widths[] = { 2, 1, 1, 3, 1, 2, 1, 1, 2, 1 };
                double x = 3;
                for (int i = 0; i < 10; ++i) {
                    if (i % 2 == 0)
                        p.fillRect(QRectF(x, 4, widths[i], 16), p.pen().color());
                    x += widths[i] + 0.8;
                }
            } },
        { "signature",
            [](QPainter& p) {
                QPainterPath path;
                path.moveTo(3, 16);
                path.cubicTo(7, 2, 9, 22, 12, 12);
                path.cubicTo(14, 6, 16, 20, 21, 12);
                p.drawPath(path);
                p.drawLine(QPointF(3, 20.5), QPointF(21, 20.5));
            } },
        { "fingerprint",
            [](QPainter& p) {
                for (int r = 2; r <= 9; r += 2)
                    p.drawArc(QRectF(12 - r, 12 - r * 1.2, 2 * r, 2.4 * r), 20 * 16, 300 * 16);
            } },
        { "align-left", [](QPainter& p) { alignment(p, true, 4, 4, 18, 4, 12); } },
        { "align-right", [](QPainter& p) { alignment(p, true, 20, 6, 20, 12, 20); } },
        { "align-top", [](QPainter& p) { alignment(p, false, 4, 4, 18, 4, 12); } },
        { "align-bottom", [](QPainter& p) { alignment(p, false, 20, 6, 20, 12, 20); } },
        { "align-hcentre", [](QPainter& p) { alignment(p, false, 12, 4, 20, 8, 16); } },
        { "align-vcentre", [](QPainter& p) { alignment(p, true, 12, 4, 20, 8, 16); } },
        { "centre",
            [](QPainter& p) {
                p.drawRect(QRectF(2.5, 4.5, 19, 15));
                p.setBrush(QColor(0x35, 0x84, 0xe4));
                p.drawRect(QRectF(8.5, 9.5, 7, 5));
            } },
        { "same-width",
            [](QPainter& p) {
                p.drawRect(QRectF(4.5, 4.5, 15, 5));
                p.drawRect(QRectF(4.5, 14.5, 15, 5));
            } },
        { "same-height",
            [](QPainter& p) {
                p.drawRect(QRectF(4.5, 4.5, 5, 15));
                p.drawRect(QRectF(14.5, 4.5, 5, 15));
            } },
        { "natural",
            [](QPainter& p) {
                p.drawRect(QRectF(4.5, 4.5, 15, 15));
                p.drawLine(QPointF(8, 16), QPointF(16, 8));
                p.drawPolyline(QPolygonF({ { 11, 8 }, { 16, 8 }, { 16, 13 } }));
            } },
        { "grid",
            [](QPainter& p) {
                for (int i = 4; i <= 20; i += 4) {
                    p.drawLine(QPointF(i + 0.5, 3), QPointF(i + 0.5, 21));
                    p.drawLine(QPointF(3, i + 0.5), QPointF(21, i + 0.5));
                }
            } },
        { "to-grid",
            [](QPainter& p) {
                p.setPen(QPen(Qt::gray, 1));
                for (int i = 4; i <= 20; i += 8) {
                    p.drawLine(QPointF(i + 0.5, 2), QPointF(i + 0.5, 22));
                    p.drawLine(QPointF(2, i + 0.5), QPointF(22, i + 0.5));
                }
                p.setPen(QPen(QColor(0x35, 0x84, 0xe4), 2));
                p.drawRect(QRectF(4.5, 4.5, 8, 8));
            } },
        { "snap",
            [](QPainter& p) {
                p.drawArc(QRectF(5, 4, 14, 14), 0, 180 * 16);
                p.drawLine(QPointF(5, 11), QPointF(5, 20));
                p.drawLine(QPointF(19, 11), QPointF(19, 20));
            } },
        { "front",
            [](QPainter& p) {
                p.drawRoundedRect(QRectF(3.5, 6.5, 17, 11), 2, 2);
                p.drawText(QRectF(3, 6, 18, 12), Qt::AlignCenter, QStringLiteral("F"));
            } },
        { "back",
            [](QPainter& p) {
                p.drawRoundedRect(QRectF(3.5, 6.5, 17, 11), 2, 2);
                p.drawText(QRectF(3, 6, 18, 12), Qt::AlignCenter, QStringLiteral("B"));
            } },
        { "scratch",
            [](QPainter& p) {
                p.setPen(QPen(p.pen().color(), 1.2, Qt::DashLine));
                p.drawRoundedRect(QRectF(3.5, 6.5, 17, 11), 2, 2);
            } },
        { "rulers",
            [](QPainter& p) {
                p.drawRect(QRectF(2.5, 2.5, 19, 5));
                p.drawRect(QRectF(2.5, 2.5, 5, 19));
                for (int i = 10; i <= 20; i += 3) {
                    p.drawLine(QPointF(i + 0.5, 5), QPointF(i + 0.5, 8));
                    p.drawLine(QPointF(5, i + 0.5), QPointF(8, i + 0.5));
                }
            } },
        { "card",
            [](QPainter& p) {
                p.drawRoundedRect(QRectF(2.5, 5.5, 19, 13), 2, 2);
                p.drawLine(QPointF(5, 10.5), QPointF(14, 10.5));
                p.drawLine(QPointF(5, 14.5), QPointF(18, 14.5));
            } },
        { "series",
            [](QPainter& p) {
                for (int row = 0; row < 4; ++row) {
                    p.drawText(QRectF(2, 2 + row * 5, 6, 6), Qt::AlignCenter, QString::number(row + 1));
                    p.drawLine(QPointF(9, 5.5 + row * 5), QPointF(21, 5.5 + row * 5));
                }
            } },
        { "template",
            [](QPainter& p) {
                p.drawRect(QRectF(4.5, 2.5, 15, 19));
                p.drawRect(QRectF(7.5, 5.5, 9, 6));
                p.drawLine(QPointF(7, 15.5), QPointF(17, 15.5));
            } },
        { "import",
            [](QPainter& p) {
                p.drawRect(QRectF(8.5, 8.5, 12, 12));
                p.drawLine(QPointF(4, 4), QPointF(14, 14));
                p.drawPolyline(QPolygonF({ { 8, 14 }, { 14, 14 }, { 14, 8 } }));
            } },
        { "export",
            [](QPainter& p) {
                p.drawRect(QRectF(3.5, 8.5, 12, 12));
                p.drawLine(QPointF(10, 14), QPointF(20, 4));
                p.drawPolyline(QPolygonF({ { 14, 4 }, { 20, 4 }, { 20, 10 } }));
            } },
    };
    return table;
}

} // namespace

namespace ActionIcons {

QIcon drawn(const QString& drawing)
{
    QIcon icon;
    for (const int scale : { 1, 2 }) {
        QPixmap pixmap(iconSize * scale, iconSize * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        QPen pen(QColor(0x24, 0x24, 0x24), 1.4);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        if (const auto it = drawings().constFind(drawing); it != drawings().constEnd()) {
            it.value()(painter);
        } else {
            QFont font = painter.font();
            font.setPixelSize(16);
            font.setBold(true);
            painter.setFont(font);
            painter.drawText(QRectF(0, 0, iconSize, iconSize), Qt::AlignCenter, drawing.left(1).toUpper());
        }
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon icon(const QString& themeName, const QString& drawing)
{
    useInstalledThemeWhenNoneIsSet();
    if (!themeName.isEmpty() && QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    return drawn(drawing);
}

} // namespace ActionIcons

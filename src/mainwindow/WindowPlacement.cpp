#include "mainwindow/WindowPlacement.h"

#include "platform/InterfaceSettings.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

const QString geometryKey = QStringLiteral("MainWindow/geometry");

// The frame is unknown until the window manager has framed the window: leave room for a
// title bar and borders of the usual size.
const QMargins expectedFrame(8, 40, 8, 8);

QMargins frameOf(const QWidget& window)
{
    const QWindow* handle = window.windowHandle();
    const QMargins known = handle ? handle->frameMargins() : QMargins();
    return known.isNull() ? expectedFrame : known;
}

// Qt restores the frame where it was; the geometry it gives back is inside that frame.
bool fitsAScreen(const QRect& geometry)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
        [&](const QScreen* screen) { return screen->availableGeometry().contains(geometry); });
}

} // namespace

QRect WindowPlacement::centredGeometry(const QRect& available, QSize preferred, const QMargins& frame)
{
    const QSize room = available.marginsRemoved(frame).size();
    const QSize size(std::max(1, std::min(preferred.width(), room.width())),
        std::max(1, std::min(preferred.height(), room.height())));
    const QSize framed = size.grownBy(frame);
    const QPoint frameTopLeft(available.x() + (available.width() - framed.width()) / 2,
        available.y() + (available.height() - framed.height()) / 2);
    return { frameTopLeft + QPoint(frame.left(), frame.top()), size };
}

void WindowPlacement::place(QWidget& window, QSize preferred)
{
    const QByteArray saved = InterfaceSettings::value(geometryKey).toByteArray();
    const bool restored = !saved.isEmpty() && window.restoreGeometry(saved) && fitsAScreen(window.geometry());
    if (!restored) {
        const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
        const QMargins frame = frameOf(window);
        const QRect geometry = centredGeometry(screen->availableGeometry(), preferred, frame);
        window.resize(geometry.size());
        // Moving the frame, not the inside, lets the window manager add its own frame.
        window.move(geometry.topLeft() - QPoint(frame.left(), frame.top()));
    }
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &window, [&window] { remember(window); });
}

void WindowPlacement::remember(const QWidget& window)
{
    InterfaceSettings::setValue(geometryKey, window.saveGeometry());
}

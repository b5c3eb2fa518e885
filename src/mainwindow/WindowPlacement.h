#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

// Where the main window opens: where the last run left it when that still fits a screen,
// otherwise centred on the screen it starts on, at a size that fits that screen's free area
// (taskbars and panels left out) at any scale factor. Sizes are in the screen's logical
// pixels; the window manager places the frame.
namespace WindowPlacement {

// Before the window is first shown; remembers the geometry when the program quits.
void place(QWidget& window, QSize preferred);
// Saves the geometry for the next run.
void remember(const QWidget& window);

// The window's inner geometry: the preferred size shrunk to fit the free area with room
// for a frame of the given margins, frame and all centred in it.
QRect centredGeometry(const QRect& available, QSize preferred, const QMargins& frame);

} // namespace WindowPlacement

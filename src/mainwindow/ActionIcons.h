#pragma once

#include <QIcon>
#include <QString>

// Icons of the main window's commands: the freedesktop theme's icon where the theme has
// one, else a small picture drawn here.
namespace ActionIcons {
// The theme's icon named themeName, or the drawing named drawing. An empty themeName
// always gives the drawing.
QIcon icon(const QString& themeName, const QString& drawing);
// The drawing alone (the names listed in ActionIcons.cpp); a letter for an unknown name.
QIcon drawn(const QString& drawing);
} // namespace ActionIcons

#pragma once

#include <QUrl>

#include <functional>

// Opens a file, folder or link with the desktop's default program.
// Returns false when nothing could open it, also for a file of a type no program shows.
bool openWithDesktop(const QUrl& url);

// Replaces the opener (tests); returns the previous one. An empty function restores the desktop's.
using DesktopOpenerFunction = std::function<bool(const QUrl&)>;
DesktopOpenerFunction setDesktopOpener(DesktopOpenerFunction opener);

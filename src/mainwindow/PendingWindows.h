#pragma once

#include <QString>

// The windows that later work brings. Until a window exists, its command says so here;
// the work that builds the window replaces the function's body (or its caller's call).
namespace PendingWindows {
void Export_Button(); // export dialog and batch export
} // namespace PendingWindows

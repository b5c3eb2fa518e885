#pragma once

#include <QString>

// The windows that later work brings. Until a window exists, its command says so here;
// the work that builds the window replaces the function's body (or its caller's call).
namespace PendingWindows {
void Export_Button(); // export dialog and batch export
void Print_Button(); // print window
// Profile dialog of a side ("F"/"B"); 1 when the profile was placed on the side.
int Open_User_Profile_Window(int mode, const QString& side);
} // namespace PendingWindows

#pragma once

#include <QString>

// The windows that later work brings. Until a window exists, its command says so here;
// the work that builds the window replaces the function's body (or its caller's call).
namespace PendingWindows {
void Export_As_Template_Clicked(); // template-name dialog
void Help_Button(); // help window
void About_Button(); // about window
// Profile dialog of a side ("F"/"B"); 1 when the profile was placed on the side.
int Open_User_Profile_Window(int mode, const QString& side);
} // namespace PendingWindows

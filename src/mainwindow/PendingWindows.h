#pragma once

#include <QString>

// The windows that later work brings. Until a window exists, its command says so here;
// the work that builds the window replaces the function's body (or its caller's call).
namespace PendingWindows {
void Export_Button(); // export dialog and batch export
void Print_Button(); // print window
void Mail_Button(); // send-mail window
void Import_Wizard_Button(); // import wizard
void Export_As_Template_Clicked(); // template-name dialog
void Help_Button(); // help window
void About_Button(); // about window
void View_Spreadsheet(); // spreadsheet viewer
// Spreadsheet column picker on a workbook: on OK it replaces the imported table.
void Import_Excel_Columns(const QString& path);
} // namespace PendingWindows

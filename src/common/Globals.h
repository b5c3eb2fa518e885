#pragma once

#include <QString>

#include <atomic>

class SKTWindowController;

// The one main window controller; null until it exists (message boxes show nothing before).
extern SKTWindowController* Main_App_wnd;

// The per-user Resources folder (no trailing slash) and its "DataSet" folder of series files.
extern QString Resource_Path;
extern QString Data_Folder_Path;

// What the export-done box shows: the exported file or folder and the message above it.
extern QString Export_File_Path, Export_File_Message;

// The answer of the most recent Yes/No message box.
extern std::atomic<bool> yes_no_msg_val;

// A path inside the Resources folder.
QString Resource_File(const QString& relativePath);

#include "common/Globals.h"

#include <QDir>

SKTWindowController* Main_App_wnd = nullptr;
QString Resource_Path;
QString Data_Folder_Path;
QString Export_File_Path, Export_File_Message;
std::atomic<bool> yes_no_msg_val { false };

QString Resource_File(const QString& relativePath)
{
    return QDir(Resource_Path).filePath(relativePath);
}

#pragma once

#include <QString>
#include <QTemporaryDir>

// Points Resource_Path and Data_Folder_Path at a fresh temporary folder for a test's
// lifetime, and restores them afterwards.
class TempResources
{
public:
    TempResources();
    ~TempResources();
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QString savedResourcePath_;
    QString savedDataFolderPath_;
};

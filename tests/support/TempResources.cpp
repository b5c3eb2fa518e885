#include "support/TempResources.h"

#include "common/Globals.h"

TempResources::TempResources()
    : savedResourcePath_(Resource_Path)
    , savedDataFolderPath_(Data_Folder_Path)
{
    Resource_Path = dir_.path();
    Data_Folder_Path = Resource_File(QStringLiteral("DataSet"));
}

TempResources::~TempResources()
{
    Resource_Path = savedResourcePath_;
    Data_Folder_Path = savedDataFolderPath_;
}

#include "mainwindow/SKTWindowController.h"

#include "common/Globals.h"
#include "common/MessageBoxes.h"
#include "platform/DialogService.h"
#include "platform/ResourceFolder.h"

#include <QApplication>
#include <QDir>

SKTWindowController::SKTWindowController(QWidget* parent)
    : QMainWindow(parent)
{
    setWindowTitle(QApplication::applicationName());
    resize(1200, 800);
    Main_App_wnd = this;
    setDialogParent(this);
}

SKTWindowController::~SKTWindowController()
{
    if (Main_App_wnd == this)
        Main_App_wnd = nullptr;
    setDialogParent(nullptr);
}

bool SKTWindowController::awakeFromNib()
{
    Resource_Path = userResourceFolder();
    if (!seedResourceFolder(shippedResourceFolder(), Resource_Path)) {
        Show_MessageBox(QStringLiteral("The program's data folder cannot be created or accessed:\n") + Resource_Path);
        return false;
    }
    Data_Folder_Path = Resource_File(QStringLiteral("DataSet"));
    return true;
}

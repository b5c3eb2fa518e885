#include "mainwindow/SKTWindowController.h"

#include "platform/DialogService.h"
#include "series/Generate_List.h"
#include "series/Open_Export_Log.h"

void SKTWindowController::Batch_Series_Button()
{
    if (!batchWizard_)
        batchWizard_ = new BatchWizard(*this, this);
    batchWizard_->Open_Wnd();
}

void SKTWindowController::Create_Series_Button()
{
    Generate_List::defaultInstance()->Open_Wnd(1, 0);
}

void SKTWindowController::Open_Import_Wizard(int, int)
{
    // Stands in until the import wizard is part of the program.
    dialogs().showMessage(QStringLiteral("Importing values is not available in this version."));
}

void SKTWindowController::Open_Export_File_Box()
{
    Open_Export_Log::Open_Export_File_Box(this);
}

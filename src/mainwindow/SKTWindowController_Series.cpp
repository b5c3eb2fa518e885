#include "mainwindow/SKTWindowController.h"

#include "data/Data_From_Excel.h"
#include "imports/Import_Excel.h"
#include "imports/Import_Wizard.h"
#include "imports/SpreadsheetViewer.h"
#include "jobs/DataBinding.h"
#include "mainwindow/MainWindowExport.h"
#include "model/CardGlobals.h"
#include "series/Generate_List.h"
#include "series/Open_Export_Log.h"

void SKTWindowController::Batch_Series_Button()
{
    if (!batchWizard_)
        batchWizard_ = new BatchWizard(*this, this);
    batchWizard_->Open_Wnd();
    sourcesChanged();
}

void SKTWindowController::seriesSaved(const QString&)
{
    // The canvas reads the series as it draws: bound objects show the new first value.
    sourcesChanged();
}

void SKTWindowController::Create_Series_Button()
{
    Generate_List::defaultInstance()->Open_Wnd(1, 0);
    sourcesChanged();
}

void SKTWindowController::Open_Import_Wizard(int file_name_required, int file_name_Insert)
{
    if (!importWizard_)
        importWizard_ = new Import_Wizard(*this, this);
    importWizard_->file_name_required = file_name_required;
    importWizard_->file_name_Insert = file_name_Insert;
    importWizard_->Open_Wnd();
    sourcesChanged();
}

void SKTWindowController::Open_Excel_Table_Import(const QString& workbookPath)
{
    Import_Excel window(this);
    window.open_mode = QStringLiteral("E");
    window.Open_excel_Wnd(workbookPath);
    sourcesChanged();
}

int SKTWindowController::Open_Excel_Table_Viewer()
{
    if (!spreadsheetViewer_)
        spreadsheetViewer_ = new SpreadsheetViewer(*spreadsheet, this);
    return spreadsheetViewer_->Open_Wnd();
}

void SKTWindowController::Open_Export_File_Box(const QString& details)
{
    Open_Export_Log::Open_Export_File_Box(this, details);
}

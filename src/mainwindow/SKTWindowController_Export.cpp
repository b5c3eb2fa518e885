#include "mainwindow/SKTWindowController.h"

#include "export/CardExporter.h"
#include "jobs/DataBinding.h"
#include "mainwindow/MainWindowExport.h"
#include "model/CardGlobals.h"

void SKTWindowController::Export_Button()
{
    if (!confirmBoundWorkbookIsCurrent())
        return;
    if (!export_)
        export_ = new MainWindowExport(*this);
    export_->exporter().Export_Button();
}

void SKTWindowController::Select_first_row_value_for_design()
{
    // The run worked on its own copies: the design still holds what was typed, and the canvas
    // shows the first card from the sources as they now stand.
    Card_Value_In_Process = false;
    Refresh_Canvas();
}

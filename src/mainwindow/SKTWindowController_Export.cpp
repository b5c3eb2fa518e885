#include "mainwindow/SKTWindowController.h"

#include "export/CardExporter.h"
#include "jobs/DataBinding.h"
#include "mainwindow/MainWindowExport.h"
#include "model/CardGlobals.h"

void SKTWindowController::Export_Button()
{
    if (!export_)
        export_ = new MainWindowExport(*this);
    export_->exporter().Export_Button();
}

void SKTWindowController::Select_first_row_value_for_design(const DataBinding& binding)
{
    binding.Assign_Batch_Values_To_Control(Get_Front_Controls_Array(), 0);
    Card_Value_In_Process = false;
    Refresh_Canvas();
}

#include "mainwindow/SKTWindowController.h"

#include "dialogs/Long_SMS_Dlg.h"

void SKTWindowController::Data_Source_Help_Button()
{
    Cutom_Msg_Title = QStringLiteral("Batch Processing Settings Help :");
    Cutom_Msg_Val = QStringLiteral("Select Data Source as 'Manual' to enter value manually, Select 'Batch Processing "
                                   "Series' to fetch the value from the list of existing Batch Processing Series.");
    Long_SMS_Dlg::defaultInstance()->Open_Long_sms_Dialog();
}

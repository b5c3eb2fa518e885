#include "series/Load_Num_Info.h"

#include "platform/DialogService.h"

#include <QCoreApplication>

Load_Num_Info::Answer Load_Num_Info::ask()
{
    const QStringList buttons = { QCoreApplication::translate("Load_Num_Info", "Clear List"),
        QCoreApplication::translate("Load_Num_Info", "Append"),
        QCoreApplication::translate("Load_Num_Info", "Cancel") };
    const int choice = dialogs().askChoice(
        QCoreApplication::translate("Load_Num_Info",
            "The series already has values. Clear the list before adding the new values, or append them?"),
        buttons, 1);
    switch (choice) {
    case 0:
        return Clear;
    case 1:
        return Append;
    default:
        return Cancelled;
    }
}

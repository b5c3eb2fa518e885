#include "mainwindow/MainPrintHost.h"

#include "mainwindow/SKTWindowController.h"
#include "model/CardGlobals.h"
#include "print/Print_Wnd.h"

void MainPrintHost::Print_Button(SKTWindowController& window)
{
    Print_Wnd* printWindow = Print_Wnd::defaultInstance();
    if (!printWindow || printWindow->parent() != &window)
        printWindow = new Print_Wnd(&window);
    MainPrintHost host(window);
    printWindow->Open_Print_Wnd(host);
}

CardSnapshot MainPrintHost::cardSnapshot() const
{
    return CardSnapshot::take(window_.Get_Front_Controls_Array(), window_.Get_Back_Controls_Array(),
        *window_.Front_card_Prop, *window_.Back_card_Prop, Card_Shape.load(), window_.frontCanvasBounds());
}

// Batch rows come from the data binding; until it reports them, every print is of the
// design as it stands.
PrintBatchState MainPrintHost::Check_Series_Or_Excel_Use_or_not()
{
    return {};
}

PrintBatchState MainPrintHost::Get_total_Card_count(bool, bool)
{
    return {};
}

#include "mainwindow/MainPrintHost.h"

#include "data/Data_From_Excel.h"
#include "jobs/DataBinding.h"
#include "jobs/UnevenSources.h"
#include "mainwindow/MainWindowExport.h"
#include "mainwindow/SKTWindowController.h"
#include "model/CardGlobals.h"
#include "print/Print_Wnd.h"
#include "render/PrintLayout.h"

#include <memory>

namespace {

// The binding's flags and count, and a row application that only reads the binding, so
// that the print workers may share it, each writing into its own snapshot clone.
PrintBatchState stateOf(std::shared_ptr<const DataBinding> binding)
{
    PrintBatchState state;
    state.Use_Data_Sheet_Values = binding->Use_Data_Sheet_Values;
    state.Use_Excel_Binding_Values = binding->Use_Excel_Binding_Values;
    state.Total_Batch_Excel_Card = binding->Total_Batch_Excel_Card;
    state.sourcesQuestion = sourcesQuestion(*binding);
    state.applyRow = [binding](CardSnapshot& card, int row, const QString& side) {
        // Only the sides printed take the row, so only their objects are counted.
        RowOutcome outcome;
        if (side != PrintLayout::sideBack)
            outcome &= BoundSide(card.front, *binding, card.edge()).apply(row);
        if (side != PrintLayout::sideFront)
            outcome &= BoundSide(card.back, *binding, card.edge()).apply(row);
        return outcome;
    };
    return state;
}

} // namespace

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
    return window_.firstCardSnapshot();
}

bool MainPrintHost::twoSidedCard() const
{
    return CARD_SIDE_STR == QLatin1String("2");
}

DataBinding MainPrintHost::binding() const
{
    return DataBinding::Check_Series_Or_Excel_Use_or_not(window_.Get_Front_Controls_Array(),
        window_.Get_Back_Controls_Array(), CARD_SIDE_STR == QLatin1String("2"),
        Data_From_Excel_Window ? MainWindowExport::rowsOf(*Data_From_Excel_Window) : SpreadsheetRows());
}

PrintBatchState MainPrintHost::Check_Series_Or_Excel_Use_or_not()
{
    return stateOf(std::make_shared<const DataBinding>(binding()));
}

PrintBatchState MainPrintHost::Get_total_Card_count(bool useSeries, bool useSpreadsheet)
{
    auto binding = std::make_shared<DataBinding>(this->binding());
    binding->Use_Data_Sheet_Values = binding->Use_Data_Sheet_Values && useSeries;
    binding->Use_Excel_Binding_Values = binding->Use_Excel_Binding_Values && useSpreadsheet;
    binding->Get_total_Card_count();
    return stateOf(std::move(binding));
}

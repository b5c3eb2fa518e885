#pragma once

#include "print/PrintHost.h"

#include <memory>

class DataBinding;
class SKTWindowController;

// The main window's side of the print window: the design as it stands and the batch rows.
class MainPrintHost : public PrintHost
{
public:
    explicit MainPrintHost(SKTWindowController& window)
        : window_(window)
    { }

    // The print command: opens the print window over the main window.
    static void Print_Button(SKTWindowController& window);

    CardSnapshot cardSnapshot() const override;
    PrintBatchState Check_Series_Or_Excel_Use_or_not() override;
    bool twoSidedCard() const override;
    quint64 designSerial() const override;
    QString designFile() const override;
    PrintBatchState Get_total_Card_count(bool useSeries, bool useSpreadsheet) override;
    bool confirmRowsAreCurrent(bool* readAgain) override;

private:
    // The binding of the design, with the spreadsheet's rows, as the last check read it (read
    // now when none has).
    std::shared_ptr<const DataBinding> binding();

    SKTWindowController& window_;
    std::shared_ptr<const DataBinding> binding_;
};

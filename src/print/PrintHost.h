#pragma once

#include "jobs/CardProblems.h"
#include "jobs/CardSnapshot.h"
#include "jobs/PrintBatchCards.h"

#include <functional>
#include <memory>

// The data rows a batch print takes, as the binding reports them.
struct PrintBatchState
{
    bool Use_Data_Sheet_Values = false; // rows from the bound series
    bool Use_Excel_Binding_Values = false; // rows from the bound spreadsheet columns
    int Total_Batch_Excel_Card = 0; // rows to print
    // Asks before a job starts when bound objects have no source or a source the job does not
    // use, the bound series and columns differ in length, or a row's series and workbook hold
    // different people's addresses. False when the person chose not to go on.
    std::function<bool()> goOnWithSources;
    // Puts one row's values into a snapshot's bound objects (never the live design).
    PrintBatchCards::ApplyRow applyRow;
    // The rows of the last job whose card, as printed, does not show its row whole.
    std::shared_ptr<CardProblems> cardProblems = std::make_shared<CardProblems>();

    bool inUse() const { return Use_Data_Sheet_Values || Use_Excel_Binding_Values; }
};

// What the print window needs from the main window.
class PrintHost
{
public:
    virtual ~PrintHost() = default;

    // Both sides of the design as they stand, cloned, so printing never touches the live design.
    virtual CardSnapshot cardSnapshot() const = 0;
    // Which bindings are in use and their row count, the bound series read afresh.
    virtual PrintBatchState Check_Series_Or_Excel_Use_or_not() = 0;
    // A number for the design open now: new each time a design is started or opened, the same
    // through renaming and saving it.
    virtual quint64 designSerial() const { return 0; }
    // The file the design was opened from or last saved to; "" for one never saved.
    virtual QString designFile() const { return {}; }
    // Whether the card has a back ("Front only" cards have none).
    virtual bool twoSidedCard() const { return true; }
    // Asked as a print starts: the bound workbook compared with its file, as at opening. False
    // when the person chose not to go on; *readAgain says whether its rows were read again,
    // which the next count then takes.
    virtual bool confirmRowsAreCurrent(bool* /*readAgain*/) { return true; }
    // The row count again, with only the sources the window keeps on, recounted from what the
    // last check read: the series are not read again.
    virtual PrintBatchState Get_total_Card_count(bool useSeries, bool useSpreadsheet) = 0;
};

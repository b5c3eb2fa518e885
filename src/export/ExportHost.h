#pragma once

#include "jobs/CardSnapshot.h"
#include "jobs/DataBinding.h"
#include "jobs/UnevenSources.h"

#include <QString>

#include <atomic>
#include <functional>

class QWidget;

// What the card export needs of the main window.
class ExportHost
{
public:
    virtual ~ExportHost() = default;

    // The window the export's sheets and boxes belong to.
    virtual QWidget* exportWindow() = 0;
    // Both sides of the live design as they stand (GUI thread).
    virtual CardSnapshot takeCardSnapshot() const = 0;
    virtual bool twoSidedCard() const = 0;
    // Whether the canvas shows the card's back.
    virtual bool backShown() const = 0;
    // A read-only copy of the imported spreadsheet table.
    virtual SpreadsheetRows spreadsheetRows() const = 0;
    // The binding of a batch of the card taken by takeCardSnapshot, its bound series read off
    // the GUI thread (GUI thread; it shows no dialog).
    virtual DataBinding batchBinding(const CardSnapshot& card) = 0;
    // Asks before a run when its cards would lack something or mix two people's rows
    // (GUI thread). False when the person chose not to go on.
    virtual bool goOnWithSources(const DataBinding& binding) { return ::goOnWithSources(binding); }
    // Asked at the export window's OK: the bound workbook compared with its file, as at opening.
    // False when the person chose not to go on; *readAgain says whether its rows were read again.
    virtual bool confirmRowsAreCurrent(bool* /*readAgain*/) { return true; }
    // Runs work that takes a while behind the please-wait sheet, whose Stop sets stop; the
    // work asks nothing (GUI thread).
    virtual void runBehindPleaseWait(const std::function<void()>& work, std::atomic<bool>& /*stop*/) { work(); }
    // The progress sheet over the window, shown and hidden.
    virtual void Show_One_By_One_Modeless() = 0;
    virtual void Hide_One_By_One_Modeless() = 0;
    // Puts data row 0 back on the design's front after a batch and redraws.
    virtual void Select_first_row_value_for_design(const DataBinding& binding) = 0;
    // The export-done box for a file or a folder, with the details behind its message (the
    // whole list of cards to fix; "" for none).
    virtual void showExportDone(const QString& path, const QString& message, const QString& details) = 0;
};

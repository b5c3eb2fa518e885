#include "mainwindow/BatchBindingRead.h"

#include "data/Data_From_Excel.h"
#include "dialogs/BackgroundWork.h"
#include "mainwindow/MainWindowExport.h"

DataBinding readBatchBinding(
    QWidget* window, const QList<SKTGraphicPtr>& front, const QList<SKTGraphicPtr>& back, bool twoSided)
{
    SpreadsheetRows spreadsheet
        = Data_From_Excel_Window ? MainWindowExport::rowsOf(*Data_From_Excel_Window) : SpreadsheetRows();
    QStringList titles = Data_From_Excel_Window ? Data_From_Excel_Window->columnTitles() : QStringList();
    // Read again, the workbook gave no column for these titles.
    QList<int> gone;
    if (Data_From_Excel_Window)
        for (qsizetype k = 0; k < Data_From_Excel_Window->source.sheetColumns.size(); ++k)
            if (Data_From_Excel_Window->source.sheetColumns.at(k) < 0)
                gone << int(k) + 1;
    const auto bind = [&] {
        return DataBinding::Check_Series_Or_Excel_Use_or_not(
            front, back, twoSided, std::move(spreadsheet), std::move(titles), gone);
    };
    // Only series are read from files; without one the binding is made at once, in line.
    if (!DataBinding::sideUses(front, DataBinding::seriesSource)
        && !(twoSided && DataBinding::sideUses(back, DataBinding::seriesSource)))
        return bind();
    DataBinding binding;
    runBehindPleaseWait(window, [&] { binding = bind(); });
    return binding;
}

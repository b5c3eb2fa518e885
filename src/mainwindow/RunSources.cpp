#include "mainwindow/RunSources.h"

#include "data/SeriesOfLength.h"
#include "dialogs/BackgroundWork.h"
#include "jobs/UnevenSources.h"
#include "mailing/RecipientRows.h"
#include "platform/DialogService.h"

RowValueColumns rowValueColumnsOf(const DataBinding& binding)
{
    const int rows = binding.Total_Batch_Excel_Card;
    const auto column = [rows](const auto& valueAt) {
        QStringList values;
        values.reserve(rows);
        for (int row = 0; row < rows; ++row)
            values << valueAt(row);
        return values;
    };
    RowValueColumns columns;
    QStringList bound;
    for (const DataBinding::SourceLength& source : binding.sourceLengths()) {
        if (source.seriesName.isEmpty())
            continue;
        bound << source.seriesName;
        columns.series << column(
            [&](int row) { return binding.Get_sel_row_col_value_of_dataset(row, source.seriesName); });
    }
    if (rows > 0)
        columns.series << seriesOfLength(rows, bound);
    if (binding.Use_Excel_Binding_Values)
        for (int k = 1; k < binding.spreadsheetWidth(); ++k)
            columns.spreadsheet << column([&](int row) { return binding.Get_sel_row_col_value_of_Excel(row, k); });
    return columns;
}

bool goOnWithRunSources(QWidget* window, const DataBinding& binding, const RowValueColumns* columns)
{
    if (!goOnWithSources(binding))
        return false;
    if (!binding.Use_Data_Sheet_Values || !binding.Use_Excel_Binding_Values)
        return true;
    // A row whose series holds one member's address and whose workbook another's makes a card
    // of two people, whoever it is mailed to.
    QList<MixedRow> mixed;
    std::atomic<bool> stop = false;
    runBehindPleaseWait(
        window,
        [&] {
            const RowValueColumns read = columns ? *columns : rowValueColumnsOf(binding);
            const RowAddresses series(read.series, &stop), spreadsheet(read.spreadsheet, &stop);
            if (!stop)
                mixed = mixedRows(series, spreadsheet);
        },
        stop);
    if (stop)
        return false;
    const RecipientQuestion asked = mixedRowsQuestion(mixed);
    return asked.isEmpty() || dialogs().askGoOnOrCancel(asked.text, QStringLiteral("Go On"), asked.details);
}

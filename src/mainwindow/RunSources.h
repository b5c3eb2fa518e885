#pragma once

#include "jobs/DataBinding.h"

class QWidget;

// The values of a batch run's rows, source by source, each a value per row: every bound series
// in use and every other stored series of as many values as the run has rows (the addresses are
// often kept in a series the card does not show), and every column of the workbook in use (the
// addresses are seldom printed on the card). Reads series files: called off the GUI thread.
struct RowValueColumns
{
    QList<QStringList> series, spreadsheet;
};
RowValueColumns rowValueColumnsOf(const DataBinding& binding);

// Asked before a mail, print or export run of the binding's rows: the sources question, then,
// when the run uses both the series and the spreadsheet, about the rows whose two sources hold
// different people's addresses, found behind the please-wait sheet over `window` from `columns`
// (read there when not given). True to go on; Cancel is the default of each question, and Stop
// on the sheet cancels the run.
bool goOnWithRunSources(QWidget* window, const DataBinding& binding, const RowValueColumns* columns = nullptr);

#pragma once

#include "jobs/DataBinding.h"

class QWidget;

// The binding of a batch run as DataBinding::Check_Series_Or_Excel_Use_or_not makes it, with
// the imported spreadsheet table's rows and column titles, and the bound series read on a
// worker behind the please-wait sheet over `window` (a series of millions of lines takes
// seconds), so that the windows keep drawing meanwhile. Called on the GUI thread with sides the
// GUI thread does not change meanwhile: clones, never the live design.
DataBinding readBatchBinding(
    QWidget* window, const QList<SKTGraphicPtr>& front, const QList<SKTGraphicPtr>& back, bool twoSided);

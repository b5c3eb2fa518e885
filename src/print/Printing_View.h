#pragma once

#include "render/PrintSheetPainter.h"

#include <QString>

#include <utility>

struct JobProgress;
class QPrinter;

// One print or preview job: the sheets of the settings as they stood when it started, with
// the cards of its source. Painting needs no widget, so a job may run on a worker thread.
class Printing_View
{
public:
    Printing_View(PrintLayout::PrintSettings settings, PrintCardSource cards);

    // Sheets of the job.
    int numberOfPages() const;
    static constexpr int previewSheetLimit = 50;
    static QString previewLimitMessage();

    // The 0-based first and last sheet printed: those of the printer's page range when one
    // is set, within the job; first > last when the range holds none. A preview shows at
    // most previewSheetLimit of them and says so.
    std::pair<int, int> sheetRange(const QPrinter& printer, bool preview) const;
    // The 1-based first and last card on the sheets printed (in a batch, the data rows).
    std::pair<int, int> cardRange(const QPrinter& printer) const;

    // Paints the job's sheets (those of the printer's page range when one is set) on
    // printer, one per page, in points over the whole paper; when the printer makes no
    // copies itself (a PDF file), the sheets of each copy in turn. Stops between sheets when
    // progress asks, and a stopped job reaches the printer's queue on hold; false when the
    // printer could not start, the range holds no sheet of the job, or the job was stopped.
    bool print(QPrinter& printer, bool preview, JobProgress* progress = nullptr) const;

    // The job as a PDF file at path; false when it could not be written.
    bool printToPdf(const QString& path, JobProgress* progress = nullptr) const;

    const PrintLayout::PrintSettings& settings() const { return settings_; }

private:
    PrintLayout::PrintSettings settings_;
    PrintCardSource cards_;
};

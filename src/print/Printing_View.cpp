#include "print/Printing_View.h"

#include "jobs/JobProgress.h"
#include "platform/DialogService.h"
#include "platform/GlyphCache.h"
#include "print/StoppedPrintJob.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

Printing_View::Printing_View(PrintLayout::PrintSettings settings, PrintCardSource cards)
    : settings_(std::move(settings))
    , cards_(std::move(cards))
{ }

QString Printing_View::previewLimitMessage()
{
    return QStringLiteral("For Qualitative and Performance reason, previewer shows print previews of only first 50 "
                          "sheets. However, printing has no such restriction.");
}

int Printing_View::numberOfPages() const
{
    return PrintLayout::sheetCount(settings_.Total_Label_Real, settings_.Print_Row, settings_.Print_Col);
}

std::pair<int, int> Printing_View::sheetRange(const QPrinter& printer, bool preview) const
{
    int first = 0, last = numberOfPages() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage() - 1;
        last = std::min(last, printer.toPage() - 1);
    }
    // A preview shows at most the limit, counted from the first sheet chosen.
    if (preview && last - first + 1 > previewSheetLimit) {
        dialogs().showMessage(previewLimitMessage());
        last = first + previewSheetLimit - 1;
    }
    return { first, last };
}

std::pair<int, int> Printing_View::cardRange(const QPrinter& printer) const
{
    const auto [first, last] = sheetRange(printer, false);
    const int perSheet = settings_.cellsPerSheet();
    return { first * perSheet + 1, std::min((last + 1) * perSheet, settings_.Total_Label_Real) };
}

bool Printing_View::print(QPrinter& printer, bool preview, JobProgress* progress) const
{
    const auto [first, last] = sheetRange(printer, preview);
    // A range past the last sheet prints nothing, and says so: never a blank page as printed.
    if (first > last)
        return false;
    // A printer queue makes the copies itself; a PDF file holds every copy, collated: the
    // sheets in order, then again. A preview shows each sheet once.
    const int copies = preview || printer.supportsMultipleCopies() ? 1 : std::max(printer.copyCount(), 1);
    if (progress)
        progress->total = copies * (last - first + 1);
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // One unit is one point of paper, whatever the printer's resolution.
    const qreal pixelsPerPoint = printer.resolution() / 72.0;
    painter.scale(pixelsPerPoint, pixelsPerPoint);
    painter.setRenderHint(QPainter::Antialiasing);
    // The faces of the cards' text, made once for the whole job.
    GlyphCache glyphs;
    for (int copy = 0; copy < copies; ++copy) {
        for (int sheet = first; sheet <= last; ++sheet) {
            if (progress && progress->stopRequested) {
                const HeldHandOver held(printer);
                painter.end();
                return false;
            }
            if (copy > 0 || sheet > first)
                printer.newPage();
            PrintSheetPainter::paintSheet(painter, settings_, sheet, cards_, &glyphs);
            if (progress)
                ++progress->done;
        }
    }
    return painter.end();
}

bool Printing_View::printToPdf(const QString& path, JobProgress* progress) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    // Qt names paper by its portrait size; wide paper is that size turned.
    const QSizeF paper = settings_.paper;
    const bool wide = paper.width() > paper.height();
    printer.setPageSize(QPageSize(wide ? paper.transposed() : paper, QPageSize::Point));
    printer.setPageOrientation(wide ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    return print(printer, false, progress);
}

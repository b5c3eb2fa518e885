#include "print/Print_Wnd.h"

#include "jobs/BatchExport.h"
#include "jobs/JobProgress.h"
#include "jobs/PrintBatchCards.h"
#include "jobs/ReplacedFiles.h"
#include "platform/DialogService.h"
#include "platform/WorkerThread.h"
#include "print/PdfFileReplacement.h"
#include "print/PrintServiceAnswer.h"
#include "print/Printing_View.h"
#include "print/StoppedPrintJob.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QSpinBox>
#include <QTimer>

using namespace PrintLayout;

namespace {

// The Print button of Qt's preview window, found by its own text.
QAction* previewPrintAction(QPrintPreviewDialog& preview)
{
    const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* action : preview.findChildren<QAction*>())
        if (action->text() == print)
            return action;
    return nullptr;
}

QString sheetsText(int sheets)
{
    return sheets == 1 ? QStringLiteral("one sheet") : QStringLiteral("%1 sheets").arg(sheets);
}

// What a stopped print to a printer left: printed says what went where had it all printed.
QString stoppedPrintText(const JobWithdrawal& withdrawal, const QString& printer, const QString& printed)
{
    const QString stopped = Print_Wnd::tr("Printing was stopped.");
    const QString none = Print_Wnd::tr("No cards were printed.");
    if (!withdrawal.refusal.isEmpty()) {
        if (withdrawal.held)
            return stopped + u' ' + none + u' '
                + Print_Wnd::tr("The printer \"%1\" keeps the stopped job on hold, as it did not let it be "
                                "withdrawn (%2).")
                      .arg(printer, withdrawal.refusal);
        return Print_Wnd::tr("Printing was stopped, but the printer \"%1\" did not let the job be withdrawn (%2): its "
                             "sheets may still print.")
            .arg(printer, withdrawal.refusal);
    }
    switch (withdrawal.printed) {
    case JobWithdrawal::Printed::None:
        break;
    case JobWithdrawal::Printed::Some:
        return stopped + u' '
            + Print_Wnd::tr("The printer \"%1\" had begun the job: some of its sheets may have printed before it "
                            "was withdrawn.")
                  .arg(printer);
    case JobWithdrawal::Printed::All:
        return Print_Wnd::tr("Printing was stopped too late: the printer had printed the whole job.") + u' ' + printed;
    }
    return stopped + u' ' + none;
}

} // namespace

std::unique_ptr<Printing_View> Print_Wnd::makeJob() const
{
    PrintSettings job = settings_;
    job.Total_Label_Real = job.Total_Label;
    PrintCardSource cards;
    if (batch_.inUse()) {
        // Each job reports the rows it printed, and only those: the workers draw rows ahead.
        batch_.cardProblems->clear();
        cards = PrintBatchCards::source(std::make_shared<PrintBatchCards>(snapshot_, batch_.Total_Batch_Excel_Card,
            batch_.applyRow, job.Print_Card_Side, front_image, batch_.cardProblems));
    } else {
        // Laid out once here, the text costs the sheets' writer nothing per cell.
        const PrintCellCards design { front_image.withTextAsGlyphs(), back_image.withTextAsGlyphs() };
        cards = [design](int) { return design; };
    }
    return std::make_unique<Printing_View>(job, std::move(cards));
}

void Print_Wnd::Execute_Printing(bool preview)
{
    // The workbook may have changed on disk while the window was open: asked as Send asks, and
    // rows read again are the ones printed, all of them.
    bool readAgain = false;
    if (!host_->confirmRowsAreCurrent(&readAgain))
        return;
    if (readAgain)
        Print_With_Batch_Changed();
    const float paperW = float(settings_.paper.width()), paperH = float(settings_.paper.height());
    if (settings_.label_width + settings_.Left_Mar + settings_.Rite_Mar + settings_.horz_mar > paperW
        || settings_.label_hight + settings_.Top_Mar + settings_.Bot_Mar + settings_.vert_mar > paperH) {
        if (!dialogs().askYesNo(QStringLiteral("'Card Size' is bigger than selected 'Paper Size' or drawn label may be "
                                               "out of margin area.\n\nDo you want to continue?")))
            return;
    }
    settings_.Total_Label = Total_Text->value();
    settings_.Total_Label_Real = settings_.Total_Label;
    if (settings_.Total_Label <= 0) {
        dialogs().showMessage(QStringLiteral("There is no barcode to print."));
        return;
    }
    // Cards that overlap hide one another: on paper that is a wrong card nobody notices.
    if (cardsOverlap(settings_, front_image.size())) {
        const QSizeF held = cellContents(settings_, front_image.size());
        dialogs().showMessage(tr("The cells are smaller than the cards they hold (%1 x %2 mm), so the cards would "
                                 "overlap and hide each other on paper.\n\nMake the cells or the gaps larger.")
                .arg(Points_to_MM_Convert(float(held.width())), 0, 'f', 2)
                .arg(Points_to_MM_Convert(float(held.height())), 0, 'f', 2));
        return;
    }
    if (batch_.goOnWithSources && !batch_.goOnWithSources())
        return;
    if (preview)
        previewSheets();
    else
        printSheets(*makeJob());
}

void Print_Wnd::previewSheets()
{
    std::unique_ptr<Printing_View> job = makeJob();
    // The preview shows what will print: the sheets chosen, or all of them.
    if (!chosenSheetsExist(job->numberOfPages()))
        return;
    QPageLayout paperShown = printInfo->pageLayout();
    bool printAsked = false;
    {
        QPrintPreviewDialog previewWindow(printInfo.get(), this);
        previewWindow.setWindowTitle(tr("Print Preview"));
        connect(&previewWindow, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* printer) {
            // The preview's page setup works on this window's printer: the sheets it shows
            // are laid out again for the new paper.
            if (!printInfo->pageLayout().isEquivalentTo(paperShown)) {
                paperShown = printInfo->pageLayout();
                refitToPrinter();
                job = makeJob();
            }
            job->print(*printer, true);
        });
        // Qt's own Print there would paint the preview's sheets only, to the printer and file
        // of the last print: it hands the whole job to this window's print instead.
        if (QAction* print = previewPrintAction(previewWindow)) {
            disconnect(print, &QAction::triggered, &previewWindow, nullptr);
            connect(print, &QAction::triggered, &previewWindow, [&] {
                printAsked = true;
                previewWindow.accept();
            });
        }
        dialogs().runModal(previewWindow);
    }
    job.reset();
    // A page setup the preview did not paint again after.
    if (!printInfo->pageLayout().isEquivalentTo(paperShown))
        refitToPrinter();
    if (printAsked)
        printSheets(*makeJob());
}

bool Print_Wnd::chosenSheetsExist(int sheets)
{
    if (!onlySheets_chk->isChecked()) {
        printInfo->setPrintRange(QPrinter::AllPages);
        printInfo->setFromTo(0, 0);
        return true;
    }
    const int first = firstSheet_Text->value(), last = lastSheet_Text->value();
    if (first > sheets || last > sheets) {
        dialogs().showMessage(tr("This print has %1, so sheets %2 to %3 cannot be printed.\n\nChoose sheets "
                                 "from 1 to %4.")
                .arg(sheetsText(sheets))
                .arg(first)
                .arg(last)
                .arg(sheets));
        return false;
    }
    printInfo->setPrintRange(QPrinter::PageRange);
    printInfo->setFromTo(first, last);
    return true;
}

void Print_Wnd::printSheets(const Printing_View& job)
{
    // Each print goes to the printer chosen now, never to where an earlier one went.
    applyChosenPrinter();
    if (!chosenSheetsExist(job.numberOfPages()))
        return;
    printInfo->setCopyCount(Copies_Text->value());
    printInfo->setDocName(jobTitle(job));
    const QString printed
        = Printer_ComboBox->currentText() == pdfFileEntry() ? printToPdfFile(job) : printToPrinter(job);
    if (printed.isEmpty())
        return;
    // Every print ends with a word on what went where, and the cards to fix behind it. A card
    // that takes no row is the same in every cell: what it shows wrong is said once.
    const CardProblemRows problems = batch_.inUse() ? batch_.cardProblems->summary()
                                                    : singleCardProblems(snapshot_, job.settings().Print_Card_Side);
    dialogs().showMessageWithDetails(problems.appendedTo(printed), problems.details(),
        problems.message().isEmpty() ? MessageIcon::Information : MessageIcon::Warning);
}

QString Print_Wnd::printedText(const Printing_View& job, const QString& destination) const
{
    const auto [firstCard, lastCard] = job.cardRange(*printInfo);
    const auto [firstSheet, lastSheet] = job.sheetRange(*printInfo, false);
    const int cards = lastCard - firstCard + 1;
    QString text = tr("%1 %2 on %3.")
                       .arg(cards == 1 ? tr("1 card went") : tr("%1 cards went").arg(cards), destination)
                       .arg(sheetsText(lastSheet - firstSheet + 1));
    if (printInfo->copyCount() > 1)
        text.insert(text.size() - 1, tr(", %1 copies of each").arg(printInfo->copyCount()));
    return text;
}

QString Print_Wnd::printToPrinter(const Printing_View& job)
{
    const QString printed = printedText(job, tr("to the printer \"%1\"").arg(printInfo->printerName()));
    PrintServiceAnswer answer;
    JobWithdrawal withdrawal;
    const Outcome outcome = runPrint(job, &answer, &withdrawal);
    if (outcome == Outcome::Stopped) {
        const QString text = stoppedPrintText(withdrawal, printInfo->printerName(), printed);
        // A stop asked for and done is news; sheets that may still print are a warning.
        if (withdrawal.printed == JobWithdrawal::Printed::None && withdrawal.refusal.isEmpty())
            dialogs().showInformation(text);
        else
            dialogs().showMessage(text);
    }
    if (outcome == Outcome::Failed)
        dialogs().showMessage(answer.refusal.isEmpty()
                ? tr("The cards could not be printed.")
                : tr("The cards could not be printed: the printer \"%1\" did not take the job (%2).")
                      .arg(printInfo->printerName(), answer.refusal));
    if (outcome != Outcome::Printed)
        return {};
    // The job waits in a paused queue: the user should know before the event, not at it.
    if (!answer.queuePaused)
        return printed;
    return printed + u' '
        + tr("The printer \"%1\" is paused: the job waits in its queue until the printer is resumed.")
              .arg(printInfo->printerName());
}

QString Print_Wnd::printToPdfFile(const Printing_View& job)
{
    // The file is asked about as an export asks about its files, a link as the file it leads to.
    const QString path
        = dialogs().chooseSaveFileAskedLater(tr("Print to PDF"), {}, tr("PDF (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return {};
    ReplacedFiles replaced;
    replaced.add(path);
    if (!askToReplace(replaced))
        return {};
    PdfFileReplacement file(path);
    if (!file.prepare()) {
        dialogs().showMessage(tr("The PDF file could not be written: %1").arg(file.errorString()));
        return {};
    }
    printInfo->setOutputFileName(file.partialPath());
    const QString printed = printedText(job, tr("into the PDF file \"%1\"").arg(path));
    const bool existed = QFileInfo::exists(path);
    const Outcome outcome = runPrint(job);
    applyChosenPrinter();
    if (outcome == Outcome::Stopped) {
        file.discard();
        dialogs().showInformation(tr("Printing was stopped. No cards were printed: the PDF file \"%1\" was %2.")
                .arg(path, existed ? tr("left as it was") : tr("not written")));
        return {};
    }
    if (outcome == Outcome::Failed || !file.commit()) {
        dialogs().showMessage(tr("The PDF file could not be written: %1")
                .arg(outcome == Outcome::Failed ? tr("The sheets could not be printed.") : file.errorString()));
        return {};
    }
    return printed;
}

Print_Wnd::Outcome Print_Wnd::runPrint(const Printing_View& job, PrintServiceAnswer* answer, JobWithdrawal* withdrawal)
{
    // The sheets are painted on a worker, so the window stays live and Stop can end the job.
    JobProgress progress;
    bool printed = false;
    bool stopped = false;
    QProgressDialog sheet(tr("Printing…"), tr("Stop"), 0, 0, this);
    sheet.setWindowModality(Qt::WindowModal);
    sheet.setMinimumDuration(500);
    connect(&sheet, &QProgressDialog::canceled, this, [&] {
        stopped = true;
        progress.stopRequested = true;
    });
    QTimer poll;
    poll.setInterval(200);
    connect(&poll, &QTimer::timeout, this, [&] {
        sheet.setMaximum(std::max(progress.total.load(), 1));
        sheet.setValue(progress.done);
        sheet.setLabelText(tr("Printing sheet %1 of %2…").arg(progress.done + 1).arg(progress.total.load()));
    });
    poll.start();
    const qint64 started = QDateTime::currentSecsSinceEpoch();
    WorkerThread::runAndWait([&] {
        printed = job.print(*printInfo, false, &progress);
        // The service's answer is kept on the thread that handed the job over: this one.
        if (printed && answer) {
            *answer = printServiceAnswer(printInfo->printerName());
            printed = answer->refusal.isEmpty();
        }
    });
    poll.stop();
    sheet.reset();
    if (!stopped)
        return printed ? Outcome::Printed : Outcome::Failed;
    // What was painted before Stop may be with the service, on hold or whole: it is taken back.
    if (withdrawal) {
        const QString printer = printInfo->printerName(), title = printInfo->docName();
        WorkerThread::runAndWait([&] { *withdrawal = withdrawStoppedJob(printer, title, started); });
    }
    return Outcome::Stopped;
}

#include "print/Print_Wnd.h"

#include "jobs/JobProgress.h"
#include "jobs/PrintBatchCards.h"
#include "platform/DialogService.h"
#include "print/Printing_View.h"

#include <QComboBox>
#include <QEventLoop>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QSpinBox>
#include <QThread>
#include <QTimer>

using namespace PrintLayout;

std::unique_ptr<Printing_View> Print_Wnd::makeJob() const
{
    PrintSettings job = settings_;
    job.Total_Label_Real = job.Total_Label;
    PrintCardSource cards;
    if (batch_.inUse()) {
        cards = PrintBatchCards::source(std::make_shared<PrintBatchCards>(
            snapshot_, batch_.Total_Batch_Excel_Card, batch_.applyRow, job.Print_Card_Side, front_image));
    } else {
        cards = [front = front_image, back = back_image](int) { return PrintCellCards { front, back }; };
    }
    return std::make_unique<Printing_View>(job, std::move(cards));
}

void Print_Wnd::Execute_Printing(bool preview)
{
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
    // Only the rows of this job are reported, not those an earlier preview drew.
    batch_.rowsWithoutBarcode->clear();
    const std::unique_ptr<Printing_View> job = makeJob();
    if (preview) {
        QPrintPreviewDialog previewWindow(printInfo.get(), this);
        previewWindow.setWindowTitle(tr("Print Preview"));
        connect(&previewWindow, &QPrintPreviewDialog::paintRequested, this,
            [&job](QPrinter* printer) { job->print(*printer, true); });
        dialogs().runModal(previewWindow);
        return;
    }
    if (Printer_ComboBox->currentText() == pdfFileEntry()) {
        const QString path = dialogs().chooseSaveFile(tr("Print to PDF"), {}, tr("PDF (*.pdf)"), QStringLiteral("pdf"));
        if (path.isEmpty())
            return;
        printInfo->setOutputFileName(path);
    }
    printInfo->setCopyCount(Copies_Text->value());
    printInfo->setDocName(windowTitle());
    if (!runPrint(*job))
        dialogs().showMessage(tr("The cards could not be printed."));
    else if (const QString missing = batch_.rowsWithoutBarcode->summary().message(); !missing.isEmpty())
        dialogs().showMessage(missing);
}

bool Print_Wnd::runPrint(const Printing_View& job)
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
    QEventLoop waiting;
    QThread* worker = QThread::create([&] { printed = job.print(*printInfo, false, &progress); });
    connect(worker, &QThread::finished, &waiting, &QEventLoop::quit);
    poll.start();
    worker->start();
    waiting.exec();
    worker->wait();
    delete worker;
    poll.stop();
    sheet.reset();
    return printed || stopped;
}

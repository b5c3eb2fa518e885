#include "print/StoppedPrintJob.h"

#include <QPrintEngine>
#include <QPrinter>

#include <cups/cups.h>

namespace {

// The options Qt's CUPS engine hands over with a job, as name and value pairs.
constexpr auto cupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

} // namespace

HeldHandOver::HeldHandOver(QPrinter& printer)
    : printer_(printer)
{
    // A PDF file has no queue to wait in: its writer throws the file away.
    if (printer.outputFormat() != QPrinter::NativeFormat || !printer.printEngine())
        return;
    options_ = printer.printEngine()->property(cupsOptionsKey).toStringList();
    printer.printEngine()->setProperty(cupsOptionsKey,
        QStringList(options_) << QStringLiteral("job-hold-until") << QStringLiteral("indefinite"));
    held_ = true;
}

HeldHandOver::~HeldHandOver()
{
    if (held_)
        printer_.printEngine()->setProperty(cupsOptionsKey, options_);
}

JobWithdrawal withdrawStoppedJob(const QString& printerName, const QString& title, qint64 handedOverSince)
{
    const QByteArray printer = printerName.toUtf8();
    const QByteArray name = title.toUtf8();
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, printer.constData(), 1, CUPS_WHICHJOBS_ALL);
    int id = 0;
    ipp_jstate_t state = IPP_JSTATE_PENDING;
    for (int i = 0; i < count; ++i) {
        const cups_job_t& job = jobs[i];
        if (job.id > id && job.creation_time >= handedOverSince && job.title && name == job.title) {
            id = job.id;
            state = job.state;
        }
    }
    cupsFreeJobs(count, jobs);
    JobWithdrawal withdrawal;
    // No such job: the stopped job never reached the service.
    if (id == 0)
        return withdrawal;
    withdrawal.held = state == IPP_JSTATE_HELD;
    if (state == IPP_JSTATE_COMPLETED)
        withdrawal.printed = JobWithdrawal::Printed::All;
    else if (state == IPP_JSTATE_PROCESSING || state == IPP_JSTATE_STOPPED || state == IPP_JSTATE_ABORTED)
        withdrawal.printed = JobWithdrawal::Printed::Some;
    if (state >= IPP_JSTATE_CANCELED)
        return withdrawal;
    if (cupsCancelJob2(CUPS_HTTP_DEFAULT, printer.constData(), id, 0) > IPP_STATUS_OK_EVENTS_COMPLETE)
        withdrawal.refusal = QString::fromUtf8(cupsLastErrorString()).trimmed();
    return withdrawal;
}

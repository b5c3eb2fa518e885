#include "print/PrintServiceAnswer.h"

#include <cups/cups.h>

#include <cstdlib>

namespace {

// The service keeps its last answer per thread; the codes up to "events complete" all mean the
// job was taken, some with options changed.
QString lastJobRefusal()
{
    const ipp_status_t status = cupsLastError();
    if (status <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return {};
    QString reason = QString::fromUtf8(cupsLastErrorString()).trimmed();
    if (reason.isEmpty())
        reason = QString::fromUtf8(ippErrorString(status));
    // An internal error is the library's own: it reached no queue of that name, or no service,
    // and its text is the system's bare error.
    if (status == IPP_STATUS_ERROR_INTERNAL)
        return QStringLiteral("the printer or the print service could not be reached: %1").arg(reason);
    return reason;
}

bool queueIsPaused(const QString& printerName)
{
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, printerName.toUtf8().constData(), nullptr);
    if (!dest)
        return false;
    const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
    const bool paused = state && std::atoi(state) == IPP_PSTATE_STOPPED;
    cupsFreeDests(1, dest);
    return paused;
}

} // namespace

PrintServiceAnswer printServiceAnswer(const QString& printerName)
{
    // The refusal first: asking about the queue replaces the service's last answer.
    PrintServiceAnswer answer { lastJobRefusal() };
    answer.queuePaused = answer.refusal.isEmpty() && queueIsPaused(printerName);
    return answer;
}

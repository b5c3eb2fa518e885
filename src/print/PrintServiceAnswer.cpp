#include "print/PrintServiceAnswer.h"

#include <cups/cups.h>

QString lastPrintJobRefusal()
{
    // The service keeps its last answer per thread; the codes up to "events complete" all mean
    // the job was taken, some with options changed.
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

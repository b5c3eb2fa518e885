#include "print/PrintServiceAnswer.h"

#include <cups/cups.h>

QString lastPrintJobRefusal()
{
    // The service keeps its last answer per thread; the codes up to "events complete" all mean
    // the job was taken, some with options changed.
    const ipp_status_t status = cupsLastError();
    if (status <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return {};
    const QString reason = QString::fromUtf8(cupsLastErrorString()).trimmed();
    return reason.isEmpty() ? QString::fromUtf8(ippErrorString(status)) : reason;
}

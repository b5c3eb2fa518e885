#include "widgets/ProgressSheetWork.h"

#include "jobs/JobProgress.h"
#include "platform/WorkerThread.h"
#include "widgets/Send_Modeless.h"

#include <QString>

void runBehindProgressSheet(JobProgress& progress, const QString& unit, const std::function<void()>& work)
{
    Send_Modeless* sheet = Send_Modeless::defaultInstance();
    if (sheet) {
        sheet->follow(progress, unit);
        sheet->show();
        sheet->raise();
    }
    WorkerThread::runAndWait(work);
    if (sheet) {
        sheet->finish();
        sheet->hide();
    }
}

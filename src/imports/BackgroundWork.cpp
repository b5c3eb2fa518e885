#include "imports/BackgroundWork.h"

#include "common/Logging.h"
#include "dialogs/PleaseWait_Modeless.h"
#include "platform/WorkerThread.h"

#include <exception>

void runBehindPleaseWait(QWidget* window, const std::function<void()>& work)
{
    PleaseWait_Modeless sheet(window);
    sheet.Show_Create_Modeless();
    // Input to the window is held off by the window-modal sheet, not by blocking the thread.
    WorkerThread::runAndWait(
        [&work] {
            try {
                work();
            } catch (const std::exception& e) {
                Show_NSLog_Message(QString::fromUtf8(e.what()));
            }
        },
        QEventLoop::ExcludeUserInputEvents);
    sheet.Hide_Destroy_Modeless();
}

#include "imports/BackgroundWork.h"

#include "common/Logging.h"
#include "dialogs/PleaseWait_Modeless.h"
#include "platform/WorkerThread.h"

#include <QTimer>

#include <exception>

namespace {

constexpr int sheetDelayMs = 250;

} // namespace

void runBehindPleaseWait(QWidget* window, const std::function<void()>& work)
{
    PleaseWait_Modeless sheet(window);
    // Work done at once (a small design or sheet) shows no sheet: it would only flash.
    QTimer showLater;
    showLater.setSingleShot(true);
    QObject::connect(&showLater, &QTimer::timeout, &sheet, &PleaseWait_Modeless::Show_Create_Modeless);
    showLater.start(sheetDelayMs);
    // Input to the window waits (and the window-modal sheet covers it), without blocking the thread.
    WorkerThread::runAndWait(
        [&work] {
            try {
                work();
            } catch (const std::exception& e) {
                Show_NSLog_Message(QString::fromUtf8(e.what()));
            }
        },
        QEventLoop::ExcludeUserInputEvents);
    showLater.stop();
    sheet.Hide_Destroy_Modeless();
}

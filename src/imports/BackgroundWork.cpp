#include "imports/BackgroundWork.h"

#include "common/Logging.h"
#include "dialogs/PleaseWait_Modeless.h"

#include <QEventLoop>

#include <exception>
#include <thread>

void runBehindPleaseWait(QWidget* window, const std::function<void()>& work)
{
    PleaseWait_Modeless sheet(window);
    sheet.Show_Create_Modeless();
    QEventLoop loop;
    std::thread worker([&work, &loop] {
        try {
            work();
        } catch (const std::exception& e) {
            Show_NSLog_Message(QString::fromUtf8(e.what()));
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // Input to the window is held off by the window-modal sheet, not by blocking the thread.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    sheet.Hide_Destroy_Modeless();
}

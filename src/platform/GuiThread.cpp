#include "platform/GuiThread.h"

#include "platform/WorkerThread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QThread>

bool isGuiThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

void runOnGuiThreadAndWait(const std::function<void()>& work)
{
    if (isGuiThread()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(QCoreApplication::instance(), work, Qt::BlockingQueuedConnection);
}

void runAwayFromGuiThread(const std::function<void()>& work)
{
    if (!QCoreApplication::instance() || !isGuiThread()) {
        work();
        return;
    }
    // The worker's end is noticed through an atomic flag, not a posted call: what the work wrote
    // is then seen by this thread in a way the thread sanitizer can follow too.
    WorkerThread::runAndWait(work, QEventLoop::ExcludeUserInputEvents);
}

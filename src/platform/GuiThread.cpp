#include "platform/GuiThread.h"

#include "platform/WorkerThread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QThread>
#include <QTimer>

namespace {

// Set on the worker of runAwayFromGuiThread, and on the GUI thread while it runs a call that
// worker carried over.
thread_local bool holdingInput = false;

class HoldingInput
{
public:
    explicit HoldingInput(bool held)
        : before_(holdingInput)
    {
        holdingInput = held || before_;
    }
    ~HoldingInput() { holdingInput = before_; }
    HoldingInput(const HoldingInput&) = delete;
    HoldingInput& operator=(const HoldingInput&) = delete;

private:
    bool before_;
};

} // namespace

bool insideWorkHoldingInput()
{
    return holdingInput;
}

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
    const bool carriedFromHeldWork = holdingInput;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [&work, carriedFromHeldWork] {
            const HoldingInput mark(carriedFromHeldWork);
            work();
        },
        Qt::BlockingQueuedConnection);
}

void runAwayFromGuiThread(const std::function<void()>& work)
{
    runAwayFromGuiThread(work, 0, nullptr, false);
}

void runAwayFromGuiThread(
    const std::function<void()>& work, int slowMs, const std::function<void()>& whenSlow, bool inputOnceSlow)
{
    if (!QCoreApplication::instance() || !isGuiThread()) {
        work();
        return;
    }
    // The worker's end is noticed through an atomic flag, not a posted call: what the work wrote
    // is then seen by this thread in a way the thread sanitizer can follow too.
    WorkerThread worker;
    QEventLoop waiting;
    bool done = false;
    QObject::connect(&worker, &WorkerThread::finished, &waiting, [&] {
        done = true;
        waiting.quit();
    });
    QTimer slow;
    slow.setSingleShot(true);
    QObject::connect(&slow, &QTimer::timeout, &waiting, [&] {
        whenSlow();
        if (inputOnceSlow)
            waiting.quit();
    });
    worker.start([&work] {
        const HoldingInput mark(true);
        work();
    });
    if (whenSlow)
        slow.start(slowMs);
    waiting.exec(QEventLoop::ExcludeUserInputEvents);
    // Input held back so far reaches only the modal window whenSlow showed.
    if (!done)
        waiting.exec(QEventLoop::AllEvents);
}

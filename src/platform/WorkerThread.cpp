#include "WorkerThread.h"

namespace {
// Short enough that the end of a job shows at once, long enough to cost nothing while it runs.
constexpr int pollMs = 15;
} // namespace

WorkerThread::WorkerThread(QObject* parent)
    : QObject(parent)
{
    poll_.setInterval(pollMs);
    connect(&poll_, &QTimer::timeout, this, &WorkerThread::checkDone);
}

WorkerThread::~WorkerThread()
{
    if (thread_.joinable())
        thread_.join();
}

void WorkerThread::start(std::function<void()> work)
{
    if (thread_.joinable())
        return;
    done_ = false;
    thread_ = std::thread([this, work = std::move(work)] {
        work();
        done_.store(true, std::memory_order_release);
    });
    poll_.start();
}

void WorkerThread::checkDone()
{
    if (!done_.load(std::memory_order_acquire))
        return;
    poll_.stop();
    thread_.join();
    emit finished();
}

void WorkerThread::runAndWait(std::function<void()> work, QEventLoop::ProcessEventsFlags flags)
{
    WorkerThread worker;
    QEventLoop waiting;
    connect(&worker, &WorkerThread::finished, &waiting, &QEventLoop::quit);
    worker.start(std::move(work));
    waiting.exec(flags);
}

#include "platform/ReusedWorker.h"

#include <QCoreApplication>

namespace {

void endProgramWorker()
{
    ReusedWorker::instance().end();
}

} // namespace

bool ReusedWorker::Piece::finishedWithin(std::chrono::milliseconds wait)
{
    std::unique_lock lock(mutex_);
    return finishedChanged_.wait_for(lock, wait, [this] { return finished_; });
}

ReusedWorker& ReusedWorker::instance()
{
    static ReusedWorker worker;
    return worker;
}

ReusedWorker::~ReusedWorker()
{
    end();
}

std::shared_ptr<ReusedWorker::Piece> ReusedWorker::start(std::function<void()> work)
{
    auto piece = std::make_shared<Piece>();
    piece->work_ = std::move(work);
    const std::lock_guard lock(mutex_);
    if (!thread_.joinable()) {
        ending_ = false;
        thread_ = std::thread([this] { serve(); });
        // Post routines run first thing in the application object's destructor: a thread
        // ending later would take down its font caches after the fonts themselves.
        if (QCoreApplication::instance())
            qAddPostRoutine(endProgramWorker);
    }
    queue_.push_back(piece);
    queueChanged_.notify_one();
    return piece;
}

void ReusedWorker::end()
{
    {
        const std::lock_guard lock(mutex_);
        if (!thread_.joinable())
            return;
        ending_ = true;
        queueChanged_.notify_one();
    }
    thread_.join();
    thread_ = std::thread();
}

void ReusedWorker::serve()
{
    for (;;) {
        std::shared_ptr<Piece> piece;
        {
            std::unique_lock lock(mutex_);
            queueChanged_.wait(lock, [this] { return ending_ || !queue_.empty(); });
            if (queue_.empty())
                return;
            piece = std::move(queue_.front());
            queue_.pop_front();
        }
        piece->work_();
        // What the work holds goes before its caller goes on.
        piece->work_ = nullptr;
        const std::lock_guard lock(piece->mutex_);
        piece->finished_ = true;
        piece->finishedChanged_.notify_all();
    }
}

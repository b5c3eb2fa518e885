#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// One thread kept for short pieces of work that the GUI thread hands over and waits for (one
// card's export, a template's preview): starting a thread for each would cost more than such
// work. Pieces run one at a time, in the order given. Their end is told through a mutex and a
// condition, which the thread sanitizer follows, never through Qt's event queue.
class ReusedWorker
{
public:
    // A piece handed over; everything its work wrote may be read once it has finished.
    class Piece
    {
    public:
        // Waits up to `wait` for the work to return; true once it has.
        bool finishedWithin(std::chrono::milliseconds wait);

    private:
        friend class ReusedWorker;
        std::function<void()> work_;
        std::mutex mutex_;
        std::condition_variable finishedChanged_;
        bool finished_ = false;
    };

    // The program's worker. Its thread starts with the first piece and ends while the
    // application object goes, before the fonts and windows the work may have used.
    static ReusedWorker& instance();

    ~ReusedWorker(); // as end()
    ReusedWorker(const ReusedWorker&) = delete;
    ReusedWorker& operator=(const ReusedWorker&) = delete;

    // Hands the work over and returns at once.
    std::shared_ptr<Piece> start(std::function<void()> work);
    // Lets the pieces in hand finish and ends the thread; the next start() makes a new one.
    void end();

private:
    ReusedWorker() = default;
    void serve();

    std::mutex mutex_;
    std::condition_variable queueChanged_;
    std::deque<std::shared_ptr<Piece>> queue_;
    bool ending_ = false;
    std::thread thread_;
};

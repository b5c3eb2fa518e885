#include "platform/WorkerThread.h"
#include "support/Patience.h"

#include <QThread>
#include <QTimer>

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

TEST(WorkerThread, FinishedComesOnTheStartingThreadAfterTheWorkWithWhatItWrote)
{
    WorkerThread worker;
    std::vector<int> written; // plain data: the hand-over alone makes it safe to read
    std::thread::id workedOn;
    QThread* finishedOn = nullptr;
    bool runningAtTheEnd = true;
    int finishedCount = 0;
    QObject::connect(&worker, &WorkerThread::finished, [&] {
        finishedOn = QThread::currentThread();
        runningAtTheEnd = worker.isRunning();
        ++finishedCount;
    });
    worker.start([&] {
        workedOn = std::this_thread::get_id();
        for (int i = 0; i < 1000; ++i)
            written.push_back(i);
    });
    EXPECT_TRUE(worker.isRunning());
    ASSERT_TRUE(patience::eventually([&] { return finishedCount > 0; }));
    EXPECT_EQ(finishedOn, QThread::currentThread());
    EXPECT_NE(workedOn, std::this_thread::get_id());
    EXPECT_FALSE(runningAtTheEnd);
    EXPECT_EQ(written.size(), 1000u);

    // It can be started again, once the earlier work has been collected.
    worker.start([&] { written.clear(); });
    ASSERT_TRUE(patience::eventually([&] { return finishedCount == 2; }));
    EXPECT_TRUE(written.empty());
}

TEST(WorkerThread, AStartWhileWorkRunsIsIgnored)
{
    WorkerThread worker;
    std::atomic<bool> release { false };
    std::atomic<int> runs { 0 };
    bool finished = false;
    QObject::connect(&worker, &WorkerThread::finished, [&] { finished = true; });
    worker.start([&] {
        ++runs;
        while (!release)
            std::this_thread::yield();
    });
    worker.start([&] { ++runs; });
    release = true;
    ASSERT_TRUE(patience::eventually([&] { return finished; }));
    EXPECT_EQ(runs, 1);
}

TEST(WorkerThread, RunAndWaitKeepsServingEventsUntilTheWorkReturns)
{
    std::atomic<bool> release { false };
    bool timerFired = false;
    // The timer fires only while the waiting thread serves events; it then lets the work end.
    QTimer::singleShot(0, [&] {
        timerFired = true;
        release = true;
    });
    int result = 0;
    WorkerThread::runAndWait([&] {
        while (!release)
            std::this_thread::yield();
        result = 42;
    });
    EXPECT_TRUE(timerFired);
    EXPECT_EQ(result, 42);
}

TEST(WorkerThread, DestroyingItWaitsForTheWork)
{
    std::atomic<bool> done { false };
    {
        WorkerThread worker;
        worker.start([&] {
            QThread::msleep(50);
            done = true;
        });
    }
    EXPECT_TRUE(done);
}

#include "platform/GuiThread.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <condition_variable>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

TEST(RunAwayFromGuiThread, TheGuiThreadKeepsServingItsEventsWhileTheWorkRuns)
{
    std::mutex mutex;
    std::condition_variable changed;
    bool guiThreadServed = false;
    QThread* workThread = nullptr;
    // Queued before the work starts: it runs only if the GUI thread turns its event loop
    // meanwhile. The work waits for it, so a blocked GUI thread would hang here.
    QTimer::singleShot(0, [&] {
        std::lock_guard lock(mutex);
        guiThreadServed = true;
        changed.notify_all();
    });
    runAwayFromGuiThread([&] {
        workThread = QThread::currentThread();
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return guiThreadServed; });
    });
    EXPECT_TRUE(guiThreadServed);
    EXPECT_NE(workThread, QCoreApplication::instance()->thread());
}

TEST(RunAwayFromGuiThread, OffTheGuiThreadTheWorkRunsInLine)
{
    QThread* workThread = nullptr;
    QThread* caller = nullptr;
    std::thread([&] {
        caller = QThread::currentThread();
        runAwayFromGuiThread([&] { workThread = QThread::currentThread(); });
    }).join();
    EXPECT_EQ(workThread, caller);
}

#include "platform/GuiThread.h"

#include "support/ScriptedDialogService.h"

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

// Nobody can answer while the work holds the window's input: a dialog it asks for, on its own
// thread or carried to the GUI thread, is answered by default without being shown.
TEST(RunAwayFromGuiThread, DialogsAskedByTheWorkAreRefusedAndAnsweredByDefault)
{
    ScriptedDialogs answers;
    answers->yesNoAnswers = { true, true, true };
    bool onWorker = true;
    bool carried = true;
    runAwayFromGuiThread([&] {
        onWorker = dialogs().askYesNo(QStringLiteral("Asked on the worker?"));
        runOnGuiThreadAndWait([&] { carried = dialogs().askYesNo(QStringLiteral("Carried to the GUI thread?")); });
    });
    EXPECT_FALSE(onWorker);
    EXPECT_FALSE(carried);
    EXPECT_TRUE(answers->asked().empty());
    // Once the work is done the window asks as usual.
    EXPECT_TRUE(dialogs().askYesNo(QStringLiteral("Asked by the window?")));
    EXPECT_EQ(answers->asked().size(), 1u);
}

// The sheet shows while the work runs (the work waits for it, so a late sheet hangs here), and
// the call returns once the work has, whether input flows meanwhile or not.
TEST(RunAwayFromGuiThread, SlowWorkShowsItsSheetWhileItRunsAndIsWaitedFor)
{
    for (const bool inputOnceSlow : { false, true }) {
        std::mutex mutex;
        std::condition_variable changed;
        bool sheetShown = false;
        bool workDone = false;
        runAwayFromGuiThread(
            [&] {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return sheetShown; });
                workDone = true;
            },
            0,
            [&] {
                std::lock_guard lock(mutex);
                sheetShown = true;
                changed.notify_all();
            },
            inputOnceSlow);
        EXPECT_TRUE(sheetShown);
        EXPECT_TRUE(workDone);
    }
}

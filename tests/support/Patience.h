#pragma once

// How tests wait for a child process or a condition: far longer than any real work takes on a
// machine loaded with other builds, so a slow run is never a failure. A real hang is left to
// CTest's own time-out. A test that checks that something ends quickly on purpose keeps its
// own short limit and says so.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

#include <atomic>
#include <functional>

namespace patience {

// Ten minutes: far above the work of any child or condition a test waits for, even at a load of 20.
constexpr int generousMs = 10 * 60 * 1000;

// Waits for a child process to end; whether it ended (it may still have failed).
inline bool finished(QProcess& process)
{
    return process.waitForFinished(generousMs);
}

// Serves events until the condition holds; whether it held within the generous limit.
inline bool eventually(const std::function<bool()>& condition, int limitMs = generousMs)
{
    const QDeadlineTimer deadline(limitMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Serves events while a child process runs (for children that talk to us, as a clipboard
// program does); whether it ended within the generous limit.
inline bool finishedWhileServingEvents(QProcess& process)
{
    // The event loop also notices the child's end.
    return eventually([&process] { return process.state() == QProcess::NotRunning; });
}

// Waits until a count that work already under way may still move has stood still for a
// second (a card or mail started before a hold lands within that, however loaded the
// machine); the value it settled at.
inline int settled(const std::atomic<int>& count)
{
    int last = count;
    for (const QDeadlineTimer deadline(generousMs); !deadline.hasExpired();) {
        QThread::msleep(1000);
        if (count == last)
            break;
        last = count;
    }
    return last;
}

} // namespace patience

#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <functional>

// Nanoseconds this thread has spent ready to run but waiting for a processor, so that a
// machine loaded by other programs does not count against the window; 0 where not told.
inline qint64 runQueueWaitNs()
{
    QFile stats(QStringLiteral("/proc/thread-self/schedstat"));
    if (!stats.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = stats.readAll().simplified().split(' ');
    return fields.size() >= 2 ? fields.at(1).toLongLong() : 0;
}

// The longest the GUI thread goes without serving a timer of intervalMs while the work runs
// from the event loop, between two ticks, leaving out the time it waited for a processor;
// onTick, when given, looks at the windows at each tick.
inline qint64 longestTickGapWhile(
    const std::function<void()>& work, int intervalMs, const std::function<void()>& onTick = {})
{
    QElapsedTimer clock;
    clock.start();
    const auto ownMs = [&clock, startWait = runQueueWaitNs()] {
        return clock.elapsed() - (runQueueWaitNs() - startWait) / 1000000;
    };
    qint64 lastTick = 0;
    qint64 longestGap = 0;
    bool done = false;
    QEventLoop loop;
    QTimer ticker;
    ticker.setInterval(intervalMs);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = ownMs();
        longestGap = std::max(longestGap, now - lastTick);
        lastTick = now;
        if (onTick)
            onTick();
        if (done)
            loop.quit();
    });
    QTimer::singleShot(0, [&] {
        work();
        done = true;
    });
    ticker.start();
    loop.exec();
    return longestGap;
}

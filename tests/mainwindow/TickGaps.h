#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <functional>

// The longest the GUI thread goes without serving a timer of intervalMs while the work runs
// from the event loop, between two ticks; onTick, when given, looks at the windows at each tick.
inline qint64 longestTickGapWhile(
    const std::function<void()>& work, int intervalMs, const std::function<void()>& onTick = {})
{
    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = 0;
    qint64 longestGap = 0;
    bool done = false;
    QEventLoop loop;
    QTimer ticker;
    ticker.setInterval(intervalMs);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, clock.elapsed() - lastTick);
        lastTick = clock.elapsed();
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

#pragma once

#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <functional>
#include <thread>

// Runs one piece of work on a thread of its own and tells the thread that started it when the
// work has returned. The worker only sets an atomic flag; the starting thread notices it on a
// timer and joins the worker before it says so. Nothing crosses threads inside Qt's event queue,
// whose locking the thread sanitizer cannot see, and everything the work wrote may be read once
// finished() is emitted.
class WorkerThread : public QObject
{
    Q_OBJECT
public:
    explicit WorkerThread(QObject* parent = nullptr);
    ~WorkerThread() override; // waits for running work

    // Starts the work; does nothing while earlier work still runs.
    void start(std::function<void()> work);
    bool isRunning() const { return thread_.joinable(); }

    // Runs the work on a worker while this thread keeps serving its events (the window stays
    // live), and returns when it has returned.
    static void runAndWait(std::function<void()> work, QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);

signals:
    // On the starting thread, once the work has returned and its thread has ended.
    void finished();

private:
    void checkDone();

    std::thread thread_;
    std::atomic<bool> done_ { false };
    QTimer poll_;
};

#pragma once

#include <atomic>

// What a window and its job share while the job runs: the job counts, the window polls the
// counters on a timer and may hold the job or ask it to stop; nothing else crosses threads.
struct JobProgress
{
    std::atomic<int> total { 0 };
    std::atomic<int> done { 0 }; // steps finished: cards written, mails sent
    std::atomic<bool> stopRequested { false };
    // Set while the window asks whether to stop: the job starts no new step meanwhile.
    std::atomic<bool> held { false };

    void hold() { held = true; }
    void release()
    {
        held = false;
        held.notify_all();
    }
    // Blocks while the job is held; true when the job may go on.
    bool mayContinue()
    {
        held.wait(true);
        return !stopRequested;
    }
};

#pragma once

#include <atomic>

// What a window and its job share while the job runs: the job counts, the window polls the
// counters on a timer and may ask the job to stop; nothing else crosses threads.
struct JobProgress
{
    std::atomic<int> total { 0 };
    std::atomic<int> done { 0 };
    std::atomic<bool> stopRequested { false };
};

#pragma once

// Processor time as the benchmarks report it: on a busy machine it varies less than the
// wall time.
#include <ctime>

// Seconds of processor time used so far by the calling thread (CLOCK_THREAD_CPUTIME_ID)
// or the whole process (CLOCK_PROCESS_CPUTIME_ID).
inline double processorSeconds(clockid_t clock = CLOCK_THREAD_CPUTIME_ID)
{
    timespec now {};
    clock_gettime(clock, &now);
    return double(now.tv_sec) + now.tv_nsec / 1e9;
}

#pragma once

// The process's memory as the benchmarks report it, in KiB.
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>

// Resident now.
inline long residentKiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The most that was resident so far.
inline long peakResidentKiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

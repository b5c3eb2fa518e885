#pragma once

// Measures how much memory a piece of work takes at its peak, in a child process so that
// the test process's own heap neither hides nor inflates the figure.

#include <fstream>
#include <functional>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

// AddressSanitizer gives every allocation red zones and keeps freed memory in quarantine: a
// piece of work holds about two and a half times what it holds in an ordinary build. Figures are
// scaled back, so that one bound serves both builds and still catches a blow-up.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr double sanitizerMemoryFactor = 2.5;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr double sanitizerMemoryFactor = 2.5;
#else
inline constexpr double sanitizerMemoryFactor = 1.0;
#endif
#else
inline constexpr double sanitizerMemoryFactor = 1.0;
#endif

struct MeasuredRun
{
    long peakMegabytes = -1; // how far the resident set rose above its start while the work ran; -1 when it failed
    std::string result; // what the work returned
};

// A line of /proc/self/status ("VmHWM:", "VmRSS:"), in kB.
inline long statusKilobytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(key.size()));
    }
    return -1;
}

inline MeasuredRun runMeasured(const std::function<std::string()>& work)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        // Starts the high-water mark from what the child holds now, and counts only the rise
        // above it: what the test process already holds (a sanitizer's quarantine of freed
        // memory, say) is not the work's.
        std::ofstream("/proc/self/clear_refs") << "5";
        const long startKilobytes = statusKilobytes("VmRSS:");
        const std::string result = work();
        const std::string report = std::to_string(statusKilobytes("VmHWM:") - startKilobytes) + "\n" + result;
        [[maybe_unused]] const ssize_t written = write(fds[1], report.data(), report.size());
        _exit(0);
    }
    close(fds[1]);
    std::string report;
    char buffer[4096];
    for (ssize_t count; (count = read(fds[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, size_t(count));
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    const size_t newline = report.find('\n');
    if (child < 0 || !WIFEXITED(status) || newline == std::string::npos)
        return {};
    const long riseKilobytes = std::stol(report.substr(0, newline));
    return { long(double(riseKilobytes) / sanitizerMemoryFactor) / 1024, report.substr(newline + 1) };
}

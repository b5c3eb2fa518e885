#include "platform/StraySignals.h"

#include <csignal>

namespace {

void ignoreStraySignal(int)
{ }

} // namespace

void keepSignalHarmless(int signal)
{
    struct sigaction current
    {
    };
    if (::sigaction(signal, nullptr, &current) != 0 || (current.sa_flags & SA_SIGINFO) != 0
        || current.sa_handler != SIG_DFL)
        return;
    struct sigaction harmless
    {
    };
    harmless.sa_handler = ignoreStraySignal;
    sigemptyset(&harmless.sa_mask);
    harmless.sa_flags = SA_RESTART;
    ::sigaction(signal, &harmless, nullptr);
}

void keepRunningThroughStraySignals()
{
    keepSignalHarmless(SIGHUP);
    keepSignalHarmless(SIGPIPE);
}

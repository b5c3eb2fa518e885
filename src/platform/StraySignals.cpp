#include "platform/StraySignals.h"

#include <csignal>

namespace {

void ignoreStraySignal(int)
{ }

// A handler, not SIG_IGN: programs started later (the mail script, the PDF viewer) get the
// default action back when they start, as they expect. A handler someone else installed is left
// alone.
void keepHarmless(int signal)
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

} // namespace

void keepRunningThroughStraySignals()
{
    keepHarmless(SIGHUP);
    keepHarmless(SIGPIPE);
}

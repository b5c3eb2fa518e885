#pragma once

// Keeps the program running through signals that only say something went away around it: the
// terminal it was started from hung up (SIGHUP), or a reader of a pipe it writes to is gone
// (SIGPIPE, where the write then fails with EPIPE). Their default action would end the program
// and lose the open design.
void keepRunningThroughStraySignals();

// Gives the signal a do-nothing handler while it still has its default action. A handler, not
// SIG_IGN: programs started later get the default action back when they start, as they expect.
// A handler someone else installed is left alone.
void keepSignalHarmless(int signal);

#pragma once

// Keeps the program running through signals that only say something went away around it: the
// terminal it was started from hung up (SIGHUP), or a reader of a pipe it writes to is gone
// (SIGPIPE, where the write then fails with EPIPE). Their default action would end the program
// and lose the open design.
void keepRunningThroughStraySignals();

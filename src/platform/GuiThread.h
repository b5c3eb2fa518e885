#pragma once

#include <functional>

// Runs work on the GUI thread and returns when it has finished. On the GUI thread itself
// (or before the application object exists) the work runs at once, in line, so that a
// caller on the GUI thread never waits for itself.
void runOnGuiThreadAndWait(const std::function<void()>& work);

bool isGuiThread();

// Runs long work (decoding a picture a person chose) off the GUI thread and returns when it
// has finished. Called on the GUI thread, the work runs on a thread of its own while the GUI
// thread keeps drawing its windows (user input waits till the end); elsewhere it runs in line.
// Nobody can answer a dialog while input waits: the work returns its refusals to its caller.
void runAwayFromGuiThread(const std::function<void()>& work);
// The same, and once slowMs have passed with the work still running, whenSlow runs (it shows
// the please-wait sheet). With inputOnceSlow, user input flows again from then on: whenSlow
// must have shown an application-modal window, the only one that takes it (a Stop button).
void runAwayFromGuiThread(
    const std::function<void()>& work, int slowMs, const std::function<void()>& whenSlow, bool inputOnceSlow);

// Whether the calling thread runs work for runAwayFromGuiThread, or runs a call that such work
// carried to the GUI thread: a dialog asked for there is refused.
bool insideWorkHoldingInput();

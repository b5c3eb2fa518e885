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
void runAwayFromGuiThread(const std::function<void()>& work);

#pragma once

#include <functional>

// Runs work on the GUI thread and returns when it has finished. On the GUI thread itself
// (or before the application object exists) the work runs at once, in line, so that a
// caller on the GUI thread never waits for itself.
void runOnGuiThreadAndWait(const std::function<void()>& work);

bool isGuiThread();

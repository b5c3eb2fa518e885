#pragma once

#include <functional>

class QString;
struct JobProgress;

// Runs one piece of work on the program's kept worker thread and returns once the work has
// returned. Work that outlasts a moment (the sheet delay) gets the program's progress sheet,
// whose steps are called unit, for half a second at least unless stopped; from then on the
// window serves its events (the window-modal sheet keeps the person's input from it), so Stop
// is answered: the work honours progress.mayContinue() and writes nothing once stopped. Before
// that the window is drawn but its input waits. Without a sheet the work still runs on the
// worker. GUI thread only.
void runBehindProgressSheet(JobProgress& progress, const QString& unit, const std::function<void()>& work);

// Sets how long work may run before the sheet shows, and returns the delay it replaces; with 0
// the sheet shows before the work starts.
int setProgressSheetDelay(int ms);

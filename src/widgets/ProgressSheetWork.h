#pragma once

#include <functional>

class QString;
struct JobProgress;

// Runs one piece of work on a worker behind the program's progress sheet, whose steps are
// called unit, and returns once the work has returned. Meanwhile the window serves its
// events (the window-modal sheet keeps the person's input from it), so Stop is answered: the
// work honours progress.mayContinue() and writes nothing once stopped. Without a sheet the
// work still runs on a worker. GUI thread only.
void runBehindProgressSheet(JobProgress& progress, const QString& unit, const std::function<void()>& work);

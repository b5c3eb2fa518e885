#pragma once

#include <atomic>
#include <functional>

class QWidget;

// Runs long work (unpacking a workbook, reading a big sheet, folder or series) on a worker thread
// while the please-wait sheet covers the window and the GUI thread keeps serving events;
// returns when the work is done. The work must not touch a widget nor ask anything: nobody can
// answer while the window takes no input. It hands its refusal back, and the caller shows it
// once the sheet is gone (a dialog asked for by the work is refused and logged).
void runBehindPleaseWait(QWidget* window, const std::function<void()>& work);
// The same with Stop on the sheet: pressing it sets `stop`, which the work reads to start
// nothing new and return soon.
void runBehindPleaseWait(QWidget* window, const std::function<void()>& work, std::atomic<bool>& stop);

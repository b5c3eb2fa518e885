#pragma once

#include <functional>

class QWidget;

// Runs long work (unpacking a workbook, reading a big sheet or folder) on a worker thread
// while the please-wait sheet covers the window and the GUI thread keeps serving events;
// returns when the work is done. The work must not touch a widget nor ask anything: nobody can
// answer while the window takes no input. It hands its refusal back, and the caller shows it
// once the sheet is gone (a dialog asked for by the work is refused and logged).
void runBehindPleaseWait(QWidget* window, const std::function<void()>& work);

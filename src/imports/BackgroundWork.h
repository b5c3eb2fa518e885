#pragma once

#include <functional>

class QWidget;

// Runs long work (unpacking a workbook, reading a big sheet or folder) on a worker thread
// while the please-wait sheet covers the window and the GUI thread keeps serving events;
// returns when the work is done. The work must not touch a widget; the message boxes of
// common/ may be used, as they are carried to the GUI thread.
void runBehindPleaseWait(QWidget* window, const std::function<void()>& work);

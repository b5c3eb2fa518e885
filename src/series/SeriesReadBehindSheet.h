#pragma once

#include <functional>

class QWidget;

// Runs the read of a stored series off the window's thread behind the please-wait sheet over
// `window` (shown once the read takes a while), so that a big series file holds no window.
// The read asks nothing: it hands its refusal back for the caller to show afterwards.
void readSeriesBehindSheet(QWidget* window, const std::function<void()>& read);

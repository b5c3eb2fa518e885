#pragma once

#include <functional>

class QWidget;

// Runs file work of the series windows (reading or writing a series, which a big file or a line
// too long to show makes long) off the window's thread behind the please-wait sheet over
// `window`, shown once the work takes a while, so that it holds no window. The work asks
// nothing: it hands its refusal back for the caller to show afterwards.
void runSeriesWorkBehindSheet(QWidget* window, const std::function<void()>& work);

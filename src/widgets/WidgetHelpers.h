#pragma once

class QWidget;

// Enables or disables one control, or the controls of a group box: a plain label also gets
// the enabled or disabled text colour; a plain group box is walked two levels down.
void SetObjEnabled(QWidget* widget, bool enabled);

#pragma once

class QWidget;

// The window that message boxes and file choosers are centred on (the main window).
void setDialogParent(QWidget* parent);
QWidget* dialogParent();

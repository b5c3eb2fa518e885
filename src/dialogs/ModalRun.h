#pragma once

class QDialog;

// Runs a window modally through the dialog service and takes it off the screen: the code its
// buttons ended it with, 0 when it was closed otherwise or the run failed (logged).
int runModalOnce(QDialog& dialog);

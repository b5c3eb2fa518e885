#pragma once

#include <QMainWindow>

// The one main window of the program.
class SKTWindowController : public QMainWindow
{
    Q_OBJECT

public:
    explicit SKTWindowController(QWidget* parent = nullptr);
    ~SKTWindowController() override;

    // Sets up the per-user Resources folder; false (after telling the user) when the
    // program's data cannot be reached, and the program must end.
    bool awakeFromNib();
};

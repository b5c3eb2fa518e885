#pragma once

#include <QDialog>

class ColorWell;
class QCheckBox;
class QGroupBox;
class QSlider;
class QLabel;

// The grid window: whether the grid shows, its colour and its spacing. Every change is
// announced at once, while the window is open; OK and Cancel only close it.
class Grid_Wizard : public QDialog
{
    Q_OBJECT

public:
    explicit Grid_Wizard(QWidget* parent = nullptr);

    // Shows the grid's state without announcing anything.
    void load(const QColor& color, double spacing, bool shown);
    // Runs the window modally.
    void Open_Wnd();

    QCheckBox* Show_hide_grid_chk = nullptr;
    QGroupBox* Grid_Opt_box = nullptr;
    ColorWell* Grid_clr = nullptr;
    QSlider* Grid_Space_slidr = nullptr; // whole points

signals:
    void colorChosen(const QColor& color);
    void spacingChosen(double spacing);
    void shownChosen(bool shown);

private:
    void showSpacing(int points);

    QLabel* spacingValue_ = nullptr;
};

#pragma once

#include <QWidget>

class QLabel;
class QSlider;

// A slider of the image page with the value it stands for beside it. The slider moves in
// whole steps of 1/scale, so fractional values survive the trip through it.
class EffectSlider : public QWidget
{
    Q_OBJECT

public:
    EffectSlider(double minimum, double maximum, int scale, QWidget* parent = nullptr);

    double value() const;
    // Shows a value, brought inside the range (NaN gives the minimum); announces nothing.
    void setValue(double value);

    QSlider* slider = nullptr;
    QLabel* valueField = nullptr;

signals:
    // The user moved the slider.
    void changed(double value);

private:
    void showValue();

    const int scale_;
    const int decimals_;
};

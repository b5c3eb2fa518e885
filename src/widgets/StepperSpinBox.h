#pragma once

#include <QDoubleSpinBox>

// A number field with arrows that tells apart a step by the arrows (or the arrow keys)
// from typing: typed values wait until something applies them.
class StepperSpinBox : public QDoubleSpinBox
{
    Q_OBJECT

public:
    using QDoubleSpinBox::QDoubleSpinBox;
    void stepBy(int steps) override;

signals:
    void stepped(double value);
};

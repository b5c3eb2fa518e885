#include "widgets/StepperSpinBox.h"

void StepperSpinBox::stepBy(int steps)
{
    QDoubleSpinBox::stepBy(steps);
    emit stepped(value());
}

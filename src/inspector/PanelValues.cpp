#include "inspector/PanelValues.h"

#include "inspector/BorderStyles.h"
#include "model/SKTGraphic.h"

#include <QComboBox>
#include <QSpinBox>

#include <algorithm>
#include <cmath>
#include <limits>

namespace PanelValues {

int truncated(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double largest = std::numeric_limits<int>::max();
    return int(std::trunc(std::clamp(value, -largest, largest)));
}

int percentOf(double fraction)
{
    return truncated(fraction * 100.0);
}

void setUpStepper(QSpinBox* stepper, int minimum, int maximum, const QString& suffix)
{
    stepper->setRange(minimum, maximum);
    stepper->setSuffix(suffix);
    stepper->setKeyboardTracking(false);
}

void loadBorderStyle(QComboBox* styles, const QString& code)
{
    if (const int index = BorderStyles::indexOf(code); index >= 0)
        styles->setCurrentIndex(index);
}

void writeBorderStyle(const QComboBox* styles, SKTGraphic& graphic)
{
    if (const QString code = BorderStyles::codeAt(styles->currentIndex()); !code.isEmpty())
        graphic._stroke_border_type = code;
}

void selectIndex(QComboBox* box, int index)
{
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

} // namespace PanelValues

#pragma once

#include <QString>

class QComboBox;
class QSpinBox;
class SKTGraphic;

// Conversions shared by the object pages between stored fields and controls.
namespace PanelValues {
// A stored number as a whole number for a stepper: truncated; NaN gives 0.
int truncated(double value);
// A stored fraction (0 to 1) as the percentage its stepper shows.
int percentOf(double fraction);
// A stepper that applies typed values when they are complete, within a range.
void setUpStepper(QSpinBox* stepper, int minimum, int maximum, const QString& suffix);
// Selects the style of a border code; a code outside the table leaves the list as it was.
void loadBorderStyle(QComboBox* styles, const QString& code);
// The style list's index as the object's border code; an index outside the list keeps it.
void writeBorderStyle(const QComboBox* styles, SKTGraphic& graphic);
// Selects the list's item at a stored index, or none for an index outside the list.
void selectIndex(QComboBox* box, int index);
} // namespace PanelValues

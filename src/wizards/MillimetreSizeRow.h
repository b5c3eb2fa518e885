#pragma once

class QDoubleSpinBox;
class QFormLayout;

// Adds the "Width and height:" row of two millimetre fields (three decimals, so 85.598 mm
// fits) that the start-up wizard and the card-size fields share, and returns the fields.
void addMillimetreSizeRow(QFormLayout& form, QDoubleSpinBox*& width, QDoubleSpinBox*& height);

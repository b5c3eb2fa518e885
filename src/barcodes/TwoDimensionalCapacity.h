#pragma once

#include <QString>

struct BarcodeGenSettings;

// Why a two-dimensional kind refuses a 7-bit ASCII value that is too long for its chosen
// settings: the settings, how many characters of the value's own character mode (numeric,
// alphanumeric or byte) they hold, and how many the value has. "" when the settings are
// linear or the value fits.
QString whyTwoDimensionalValueIsTooLong(const BarcodeGenSettings& settings, const QString& value);

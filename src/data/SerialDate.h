#pragma once

#include <QString>

#include <optional>

// A date cell stored as ISO 8601 text ("2024-01-15", "2024-01-15T12:30:00", "12:30:00") as the
// serial number that other date cells store: days since the workbook's epoch plus the fraction
// of the day. In the 1900 date system the serial counts the phantom 29 February 1900, so dates
// before March 1900 are one lower. None when the text is no such date.
std::optional<double> serialFromIsoDate(const QString& iso, bool date1904);

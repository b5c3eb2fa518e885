#pragma once

#include <QSize>
#include <QString>

#include <optional>

// The grid last asked for each design file (columns x rows), kept beside the interface
// settings for the program's later runs: the batch count and the bound rows come back at each
// opening of the print window, and a grid of 1 x 1 beside them would print one card a sheet.
// Only the designs printed most recently are kept, so the settings stay small.
namespace PrintGridMemory {

std::optional<QSize> gridFor(const QString& designFile);
void remember(const QString& designFile, QSize grid);

} // namespace PrintGridMemory

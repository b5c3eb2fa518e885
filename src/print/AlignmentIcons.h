#pragma once

#include <QIcon>
#include <QString>

// The nine grid positions of the print window (1 top left to 9 bottom right): a sheet with
// the grid's block in that corner, edge or centre, drawn for the button of the position.
namespace AlignmentIcons {

QIcon icon(int position);
QString toolTip(int position);

} // namespace AlignmentIcons

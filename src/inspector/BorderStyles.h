#pragma once

#include <QString>
#include <QStringList>

// The border styles of the card and of objects, in the order of their lists.
namespace BorderStyles {
// "S", "DA", "DO", "DD", "DDD".
const QStringList& codes();
// What the lists show for them.
const QStringList& names();
// The list index of a code; -1 for a code outside the table.
int indexOf(const QString& code);
// The code of a list index; "" for an index outside the table.
QString codeAt(int index);
} // namespace BorderStyles

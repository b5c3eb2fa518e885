#include "print/PrintGridMemory.h"

#include "platform/InterfaceSettings.h"

#include <QStringList>

namespace PrintGridMemory {

namespace {

const QString gridsKey = QStringLiteral("print/grids");
constexpr qsizetype designsKept = 100;
// Far above what any paper holds: a larger count was not written by this program.
constexpr int largestCount = 10000;

// "COLUMNS ROWS PATH", the design printed last first.
struct Entry
{
    QSize grid;
    QString file;
};

std::optional<Entry> entryOf(const QString& text)
{
    bool columnsRead = false, rowsRead = false;
    const int columns = text.section(u' ', 0, 0).toInt(&columnsRead);
    const int rows = text.section(u' ', 1, 1).toInt(&rowsRead);
    const QString file = text.section(u' ', 2);
    if (!columnsRead || !rowsRead || columns < 1 || rows < 1 || columns > largestCount || rows > largestCount
        || file.isEmpty())
        return std::nullopt;
    return Entry { QSize(columns, rows), file };
}

QString textOf(const Entry& entry)
{
    return QStringLiteral("%1 %2 %3").arg(entry.grid.width()).arg(entry.grid.height()).arg(entry.file);
}

QStringList kept()
{
    return InterfaceSettings::value(gridsKey).toStringList();
}

} // namespace

std::optional<QSize> gridFor(const QString& designFile)
{
    for (const QString& text : kept())
        if (const std::optional<Entry> entry = entryOf(text); entry && entry->file == designFile)
            return entry->grid;
    return std::nullopt;
}

void remember(const QString& designFile, QSize grid)
{
    const QString text = textOf({ grid, designFile });
    QStringList entries = kept();
    if (!entries.isEmpty() && entries.first() == text)
        return;
    entries.removeIf([&](const QString& other) {
        const std::optional<Entry> entry = entryOf(other);
        return !entry || entry->file == designFile;
    });
    entries.prepend(text);
    InterfaceSettings::setValue(gridsKey, entries.mid(0, designsKept));
}

} // namespace PrintGridMemory

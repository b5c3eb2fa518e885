#include "data/WorkbookMemory.h"

#include <unistd.h>

#include <algorithm>

namespace {

qint64 physicalMemory()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0 ? qint64(pages) * pageSize : 0;
}

} // namespace

WorkbookMemory WorkbookMemory::forSource(
    qint64 sourceBytes, qint64 amplification, qint64 floor, const QString& sourceName)
{
    const qint64 fromSource = std::max(floor, std::max<qint64>(sourceBytes, 0) * amplification);
    // A quarter leaves the rest of the program and the system their room.
    const qint64 fromMachine = std::max(minMachineLimit, physicalMemory() / 4);
    if (fromSource <= fromMachine)
        return { fromSource,
            QStringLiteral("it would take far more memory than the %1's size could honestly hold").arg(sourceName) };
    return { fromMachine, QStringLiteral("it would take more than a quarter of this computer's memory") };
}

WorkbookMemory WorkbookMemory::forArchive(qint64 archiveBytes)
{
    return forSource(archiveBytes, maxAmplification, minLimit, QStringLiteral("workbook"));
}

WorkbookMemory WorkbookMemory::forTextFile(qint64 fileBytes)
{
    return forSource(fileBytes, maxTextFileAmplification, minTextFileLimit, QStringLiteral("file"));
}

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

WorkbookMemory WorkbookMemory::forArchive(qint64 archiveBytes)
{
    const qint64 fromArchive = std::max(minLimit, std::max<qint64>(archiveBytes, 0) * maxAmplification);
    // A quarter leaves the rest of the program and the system their room.
    const qint64 fromMachine = std::max(minMachineLimit, physicalMemory() / 4);
    if (fromArchive <= fromMachine)
        return { fromArchive,
            QStringLiteral("it would take far more memory than the workbook's size could honestly hold") };
    return { fromMachine, QStringLiteral("it would take more than a quarter of this computer's memory") };
}

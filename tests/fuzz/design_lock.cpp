// Arbitrary bytes as the lock file beside a design, which any program may have written: opening
// the design lists this program there within the size a reader reads, and closing it takes it
// off again. An odd first byte has the rest repeated past that size, as a list grown by many
// programs of other computers. "@host" and "@pid" stand for this computer and this program, so
// that lists naming them are found too.
#include "platform/DesignLock.h"
#include "platform/SafeRead.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace {

// How often this program is listed in the lock file.
int timesListed(const QString& lockPath)
{
    QFile file(lockPath);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray bytes = file.readAll();
    if (bytes.size() > SafeRead::maxLockBytes)
        std::abort(); // other programs would not read the whole list
    const QList<QByteArray> lines = bytes.split('\n');
    const QByteArray host = QSysInfo::machineHostName().toUtf8(), pid = QByteArray::number(qint64(::getpid()));
    int listed = 0;
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2)
        listed += lines[i] == host && lines[i + 1] == pid;
    return listed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/fuzz-design-lock-XXXXXX"));
    const QString design = folder.filePath(QStringLiteral("card.dcard"));
    const QString lockPath = DesignLock::lockFileFor(design);
    if (size == 0)
        return 0;
    QByteArray list(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    if (data[0] % 2 && !list.isEmpty())
        list = list.repeated(int(SafeRead::maxLockBytes / list.size() + 2));
    list.replace("@host", QSysInfo::machineHostName().toUtf8()).replace("@pid", QByteArray::number(qint64(::getpid())));
    QFile file(lockPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(list) != list.size())
        return 0;
    file.close();
    DesignLock lock;
    const DesignLock::Finding finding = lock.lock(design);
    if (!finding.unknownBecause.isEmpty() || timesListed(lockPath) != 1)
        std::abort();
    if (finding.other && finding.other->host == QSysInfo::machineHostName() && finding.other->pid == ::getpid())
        std::abort(); // this program is not another
    lock.release();
    if (timesListed(lockPath) != 0)
        std::abort();
    return 0;
}

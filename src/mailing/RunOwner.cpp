#include "mailing/RunOwner.h"

#include <QFile>
#include <QStringList>
#include <QSysInfo>

#include <unistd.h>

namespace {
// The start time field of /proc/PID/stat, "" for a process that has ended (a zombie, state Z,
// has ended too) or cannot be read. The name in brackets may hold spaces and brackets itself:
// the fields are counted from its last closing bracket.
QString startTicks(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = stat.read(4096);
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0)
        return {};
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    // Fields from the third: state is fields[0], start time (the 22nd) is fields[19].
    if (fields.size() < 20 || fields.at(0) == "Z" || fields.at(0) == "X")
        return {};
    return QString::fromLatin1(fields.at(19));
}
} // namespace

QString processOwner(qint64 pid)
{
    const QString start = startTicks(pid);
    return start.isEmpty() ? QString()
                           : QStringLiteral("%1 %2 %3").arg(QSysInfo::machineHostName()).arg(pid).arg(start);
}

QString thisProcessOwner()
{
    static const QString owner = processOwner(::getpid());
    return owner;
}

bool ownerMayBeRunning(const QString& owner)
{
    const QStringList parts = owner.split(u' ');
    if (parts.size() != 3 || parts.at(0) != QSysInfo::machineHostName())
        return parts.size() == 3; // another computer's, or not a copy's at all (an import)
    bool number = false;
    const qint64 pid = parts.at(1).toLongLong(&number);
    return number && processOwner(pid) == owner;
}

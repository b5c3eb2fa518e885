#include "platform/DesignLock.h"

#include "platform/SafeRead.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <QSysInfo>

#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The locks this process holds: a lock naming this process is another window's only when it
// is listed here, and otherwise was left by an earlier run that had the same process id.
QMutex heldLocksMutex;
QSet<QString>& heldLocks()
{
    static QSet<QString> held;
    return held;
}

QByteArray ownRecord()
{
    return QSysInfo::machineHostName().toUtf8() + '\n' + QByteArray::number(qint64(::getpid())) + '\n';
}

// The lock's bytes, read without following a link or waiting on a FIFO; empty when unreadable.
QByteArray readLock(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray bytes;
    struct stat info
    {
    };
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= SafeRead::maxLockBytes) {
        bytes.resize(SafeRead::maxLockBytes);
        const ssize_t count = ::read(fd, bytes.data(), size_t(SafeRead::maxLockBytes));
        bytes.resize(count > 0 ? qsizetype(count) : 0);
    }
    ::close(fd);
    return bytes;
}

std::optional<DesignLock::Holder> holderOf(const QByteArray& record)
{
    const QList<QByteArray> lines = record.split('\n');
    if (lines.size() < 2)
        return std::nullopt;
    bool number = false;
    const qint64 pid = lines[1].toLongLong(&number);
    if (!number || pid <= 0 || pid > INT_MAX)
        return std::nullopt;
    return DesignLock::Holder { QString::fromUtf8(lines[0]), pid };
}

// The program name of a living process ("" without /proc); a process that has ended but not
// yet been collected by its parent (a zombie, state Z) counts as gone.
std::optional<QByteArray> livingProgram(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return QFile::exists(QStringLiteral("/proc/self/stat")) ? std::nullopt : std::optional(QByteArray());
    const QByteArray line = stat.readLine(1024);
    const qsizetype open = line.indexOf('(');
    const qsizetype close = line.lastIndexOf(')');
    if (open < 0 || close < open || line.mid(close + 2, 1) == "Z")
        return std::nullopt;
    return line.mid(open + 1, close - open - 1);
}

bool heldByRunningGalavite(const DesignLock::Holder& holder, const QString& lockPath)
{
    // Another computer's process cannot be looked at: its lock stands.
    if (holder.host != QSysInfo::machineHostName())
        return true;
    if (holder.pid == ::getpid()) {
        const QMutexLocker guard(&heldLocksMutex);
        return heldLocks().contains(lockPath);
    }
    if (::kill(pid_t(holder.pid), 0) != 0 && errno == ESRCH)
        return false;
    // A process id is used again after its program ended: the lock stands only for a Galavite.
    const std::optional<QByteArray> name = livingProgram(holder.pid);
    return name && (name->isEmpty() || name == livingProgram(::getpid()));
}

// Makes the lock file, whole, only where none is; false when one is there or none can be made.
bool createLock(const QString& path, bool* alreadyThere)
{
    const QByteArray encoded = QFile::encodeName(path);
    const int fd = ::open(encoded.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    *alreadyThere = fd < 0 && errno == EEXIST;
    if (fd < 0)
        return false;
    const QByteArray record = ownRecord();
    const bool written = ::write(fd, record.constData(), size_t(record.size())) == ssize_t(record.size());
    ::close(fd);
    if (!written)
        ::unlink(encoded.constData());
    return written;
}

} // namespace

DesignLock::~DesignLock()
{
    release();
}

QString DesignLock::lockFileFor(const QString& designPath)
{
    const QFileInfo design(designPath);
    return QDir::cleanPath(design.absolutePath() + QStringLiteral("/.") + design.fileName() + QStringLiteral(".lock"));
}

std::optional<DesignLock::Holder> DesignLock::lock(const QString& designPath)
{
    const QString path = lockFileFor(designPath);
    if (path == lockPath_)
        return std::nullopt;
    release();
    // A stale lock is removed and made afresh; another program may make it in between.
    for (int attempt = 0; attempt < 3; ++attempt) {
        bool alreadyThere = false;
        if (createLock(path, &alreadyThere)) {
            lockPath_ = path;
            const QMutexLocker guard(&heldLocksMutex);
            heldLocks().insert(path);
            return std::nullopt;
        }
        if (!alreadyThere)
            return std::nullopt;
        // A lock that says nothing readable was left half made by a killed program.
        const std::optional<Holder> holder = holderOf(readLock(path));
        if (holder && heldByRunningGalavite(*holder, path))
            return holder;
        if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT)
            return std::nullopt;
    }
    return std::nullopt;
}

void DesignLock::release()
{
    if (lockPath_.isEmpty())
        return;
    // A program that judged the lock stale may have made its own in its place: that one stays.
    if (readLock(lockPath_) == ownRecord())
        ::unlink(QFile::encodeName(lockPath_).constData());
    const QMutexLocker guard(&heldLocksMutex);
    heldLocks().remove(lockPath_);
    lockPath_.clear();
}

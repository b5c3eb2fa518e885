#include "platform/DesignLock.h"

#include "platform/CheckedWrite.h"
#include "platform/SafeRead.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QSysInfo>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

using Holder = DesignLock::Holder;

// Another program updates the list in a moment; one that hangs meanwhile (stopped in a
// debugger) must not hold the window: after half a second with no update the design opens
// unlisted.
constexpr int patienceMs = 500;
constexpr useconds_t lockTryGap = 2'000;

// How many windows of this process have each lock file: the process is listed once, and an
// entry naming it is another window's only while it is counted here; otherwise it was left by
// an earlier run that had the same process id.
QMutex heldLocksMutex;
QHash<QString, int>& heldLocks()
{
    static QHash<QString, int> held;
    return held;
}

int windowsHolding(const QString& lockPath)
{
    const QMutexLocker guard(&heldLocksMutex);
    return heldLocks().value(lockPath);
}

Holder self()
{
    return { QSysInfo::machineHostName(), qint64(::getpid()) };
}

bool same(const Holder& a, const Holder& b)
{
    return a.pid == b.pid && a.host == b.host;
}

// The entries, two lines each; a pair that says nothing readable (half written by a killed
// program) is dropped.
QList<Holder> entriesOf(const QByteArray& bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    QList<Holder> entries;
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
        bool number = false;
        const qint64 pid = lines[i + 1].toLongLong(&number);
        if (number && pid > 0 && pid <= INT_MAX && !lines[i].isEmpty())
            entries.append({ QString::fromUtf8(lines[i]), pid });
    }
    return entries;
}

QByteArray bytesOf(const QList<Holder>& entries)
{
    QByteArray bytes;
    for (const Holder& entry : entries)
        bytes += entry.host.toUtf8() + '\n' + QByteArray::number(entry.pid) + '\n';
    return bytes;
}

// What an open lock file holds, up to its size limit.
QByteArray readAll(int fd)
{
    QByteArray bytes(SafeRead::maxLockBytes, Qt::Uninitialized);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t count = ::pread(fd, bytes.data() + got, size_t(bytes.size() - got), off_t(got));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        got += count;
    }
    bytes.resize(got);
    return bytes;
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

bool runningGalavite(const Holder& holder, const QString& lockPath)
{
    // Another computer's process cannot be looked at: its entry stands.
    if (holder.host != QSysInfo::machineHostName())
        return true;
    if (holder.pid == ::getpid())
        return windowsHolding(lockPath) > 0;
    if (::kill(pid_t(holder.pid), 0) != 0 && errno == ESRCH)
        return false;
    // A process id is used again after its program ended: the entry stands only for a Galavite.
    const std::optional<QByteArray> name = livingProgram(holder.pid);
    return name && (name->isEmpty() || name == livingProgram(::getpid()));
}

// The lock file at path, open and locked for this program alone while it reads and replaces
// it. Another program may replace or remove it while this one waits: then the new one is taken.
class LockedFile
{
public:
    LockedFile(const QString& path, bool create)
    {
        const QByteArray native = QFile::encodeName(path);
        QDeadlineTimer patience(patienceMs);
        for (;;) {
            // Read-only, so that a lock file this user may not write still names its holders:
            // it is replaced by a new file, never written in place.
            const int fd
                = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | (create ? O_CREAT : 0), 0644);
            if (fd < 0)
                return;
            struct stat opened
            {
            }, there {};
            if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || !lockWithin(fd, patience)) {
                ::close(fd);
                return;
            }
            if (::lstat(native.constData(), &there) == 0 && there.st_dev == opened.st_dev
                && there.st_ino == opened.st_ino) {
                fd_ = fd;
                return;
            }
            ::close(fd);
            // The others are not stuck: each pass here follows an update made meanwhile.
            patience.setRemainingTime(patienceMs);
        }
    }
    ~LockedFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    QByteArray contents() const { return readAll(fd_); }

private:
    static bool lockWithin(int fd, const QDeadlineTimer& patience)
    {
        for (;;) {
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
                return true;
            if ((errno != EWOULDBLOCK && errno != EINTR) || patience.hasExpired())
                return false;
            ::usleep(lockTryGap);
        }
    }

    int fd_ = -1;
};

// Replaces the list while its file is locked: the new file is whole before it takes the name,
// so a program killed meanwhile leaves the old list, and the others wait for the new one.
bool replaceList(const QString& path, const QList<Holder>& entries)
{
    if (entries.isEmpty())
        return ::unlink(QFile::encodeName(path).constData()) == 0;
    CheckedWriteOptions options;
    options.replaceLink = true;
    options.durable = false;
    return writeFileChecked(path, bytesOf(entries), nullptr, options);
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
    const LockedFile file(path, true);
    if (!file.isOpen())
        return std::nullopt;
    QList<Holder> entries = entriesOf(file.contents());
    const qsizetype listed = entries.size();
    entries.removeIf([&](const Holder& entry) { return !runningGalavite(entry, path); });
    const std::optional<Holder> earliest = entries.isEmpty() ? std::nullopt : std::optional(entries.first());
    const bool alreadyListed = std::any_of(entries.begin(), entries.end(), [](const Holder& e) { return same(e, self()); });
    if (!alreadyListed)
        entries.append(self());
    if (alreadyListed && entries.size() == listed) {
        lockPath_ = path;
    } else if (replaceList(path, entries)) {
        lockPath_ = path;
    }
    if (!lockPath_.isEmpty()) {
        const QMutexLocker guard(&heldLocksMutex);
        ++heldLocks()[path];
    }
    return earliest;
}

void DesignLock::release()
{
    if (lockPath_.isEmpty())
        return;
    const QString path = std::exchange(lockPath_, QString());
    {
        const QMutexLocker guard(&heldLocksMutex);
        if (--heldLocks()[path] > 0)
            return; // another window of this program has the design open
        heldLocks().remove(path);
    }
    const LockedFile file(path, false);
    if (!file.isOpen())
        return;
    QList<Holder> entries = entriesOf(file.contents());
    const qsizetype listed = entries.size();
    entries.removeIf([&](const Holder& entry) { return same(entry, self()) || !runningGalavite(entry, path); });
    if (entries.size() != listed)
        replaceList(path, entries);
}

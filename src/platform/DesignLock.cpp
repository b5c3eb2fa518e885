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
#include <cstring>
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
        if (number && pid > 0 && pid <= INT_MAX && !lines[i].isEmpty()) {
            const QString host = QString::fromUtf8(lines[i]);
            entries.append({ host, pid, host != QSysInfo::machineHostName() });
        }
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

// What an open lock file holds, up to its size limit; an entry cut by the limit is left out.
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
    bytes.resize(got == bytes.size() ? bytes.lastIndexOf('\n') + 1 : got);
    return bytes;
}

// Lists written past the read limit would hide their last entries from every reader, so that
// the program just listed would be missed and dropped by the next one: the oldest entries of
// other computers go first (they may have ended long ago), then the oldest of the others.
void keepWithinReadLimit(QList<Holder>& entries)
{
    qsizetype size = bytesOf(entries).size();
    const auto dropFirst = [&](auto&& which) {
        const auto found = std::find_if(entries.begin(), entries.end(), which);
        if (found == entries.end())
            return false;
        size -= bytesOf({ *found }).size();
        entries.erase(found);
        return true;
    };
    while (size > SafeRead::maxLockBytes && dropFirst([](const Holder& e) { return e.mayHaveEnded; })) { }
    while (size > SafeRead::maxLockBytes && dropFirst([](const Holder& e) { return !same(e, self()); })) { }
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
    if (holder.mayHaveEnded)
        return true;
    if (holder.pid == ::getpid())
        return windowsHolding(lockPath) > 0;
    if (::kill(pid_t(holder.pid), 0) != 0 && errno == ESRCH)
        return false;
    // A process id is used again after its program ended: the entry stands only for a Galavite.
    const std::optional<QByteArray> name = livingProgram(holder.pid);
    return name && (name->isEmpty() || name == livingProgram(::getpid()));
}

bool lockWithin(int fd, const QDeadlineTimer& patience)
{
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if ((errno != EWOULDBLOCK && errno != EINTR) || patience.hasExpired())
            return false;
        ::usleep(lockTryGap);
    }
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

enum class Failure
{
    None,
    Held, // another program kept it locked past the patience
    Stray, // something other than a file is in its place and cannot be removed
};

// Removes what stands in the list's place though it is no file (seen). A FIFO or a folder is
// locked first, as a list is, so that of two programs replacing it at once the second does
// not remove the list the first has just made; the others cannot be opened harmlessly and are
// removed only while the path still names them.
Failure removeStray(const QByteArray& native, const struct stat& seen, const QDeadlineTimer& patience, int* error)
{
    int fd = -1;
    if (S_ISFIFO(seen.st_mode) || S_ISDIR(seen.st_mode))
        fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    struct stat opened
    {
    }, there {};
    if (fd >= 0 && (::fstat(fd, &opened) != 0 || !sameFile(opened, seen))) {
        ::close(fd);
        return Failure::None; // replaced meanwhile: looked at again
    }
    if (fd >= 0 && !lockWithin(fd, patience)) {
        ::close(fd);
        return Failure::Held;
    }
    Failure failure = Failure::None;
    if (::lstat(native.constData(), &there) == 0 && sameFile(there, seen)
        && (S_ISDIR(there.st_mode) ? ::rmdir(native.constData()) : ::unlink(native.constData())) != 0
        && errno != ENOENT) {
        *error = errno;
        failure = Failure::Stray;
    }
    if (fd >= 0)
        ::close(fd);
    return failure;
}

// The lock file at path, open and locked for this program alone while it reads and replaces
// it. Another program may replace or remove it while this one waits: then the new one is taken.
class LockedFile
{
public:
    // takeOver: the list is made where there is none, and what is there in its place instead
    // of a file is removed.
    LockedFile(const QString& path, bool takeOver)
    {
        const QByteArray native = QFile::encodeName(path);
        QDeadlineTimer patience(patienceMs);
        for (;;) {
            struct stat seen
            {
            };
            if (::lstat(native.constData(), &seen) == 0 && !S_ISREG(seen.st_mode)) {
                if (!takeOver)
                    return;
                failure_ = removeStray(native, seen, patience, &error_);
                if (failure_ != Failure::None)
                    return;
                if (!patience.hasExpired())
                    continue;
                // Made again as often as it is removed: given up, as for one held.
                failure_ = Failure::Held;
                return;
            }
            // Read-only, so that a lock file this user may not write still names its holders:
            // it is replaced by a new file, never written in place.
            const int fd = ::open(
                native.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | (takeOver ? O_CREAT : 0), 0644);
            if (fd < 0) {
                // Something other than a file took the name since it was looked at.
                if ((errno == ELOOP || errno == ENXIO || errno == EISDIR) && takeOver && !patience.hasExpired())
                    continue;
                return;
            }
            struct stat opened
            {
            }, there {};
            if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
                ::close(fd);
                if (takeOver && !patience.hasExpired())
                    continue;
                return;
            }
            if (!lockWithin(fd, patience)) {
                ::close(fd);
                failure_ = Failure::Held;
                return;
            }
            if (::lstat(native.constData(), &there) == 0 && sameFile(there, opened)) {
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
    // Why the list could not be taken, for the person ("" when it was, or when nobody could
    // have listed themselves there either, such as in a read-only folder).
    QString failure(const QString& path) const
    {
        switch (failure_) {
        case Failure::Held:
            return QStringLiteral("Its lock %1 is held by another program.").arg(path);
        case Failure::Stray:
            return QStringLiteral("Its lock %1 is not a regular file and cannot be replaced: %2.")
                .arg(path, QString::fromLocal8Bit(std::strerror(error_)));
        case Failure::None:
            break;
        }
        return {};
    }

private:
    int fd_ = -1;
    Failure failure_ = Failure::None;
    int error_ = 0;
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

DesignLock::Finding DesignLock::lock(const QString& designPath)
{
    const QString path = lockFileFor(designPath);
    if (path == lockPath_)
        return {};
    release();
    const LockedFile file(path, true);
    if (!file.isOpen())
        return { std::nullopt, file.failure(path) };
    QList<Holder> entries = entriesOf(file.contents());
    const qsizetype listed = entries.size();
    entries.removeIf([&](const Holder& entry) { return !runningGalavite(entry, path); });
    Finding found;
    const auto running = std::find_if(entries.begin(), entries.end(), [](const Holder& e) { return !e.mayHaveEnded; });
    if (running != entries.end())
        found.other = *running;
    else if (!entries.isEmpty())
        found.other = entries.first();
    const bool alreadyListed
        = std::any_of(entries.begin(), entries.end(), [](const Holder& e) { return same(e, self()); });
    if (!alreadyListed)
        entries.append(self());
    keepWithinReadLimit(entries);
    if (alreadyListed && entries.size() == listed) {
        lockPath_ = path;
    } else if (replaceList(path, entries)) {
        lockPath_ = path;
    }
    if (!lockPath_.isEmpty()) {
        const QMutexLocker guard(&heldLocksMutex);
        ++heldLocks()[path];
    }
    return found;
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

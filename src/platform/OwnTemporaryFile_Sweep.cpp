#include "platform/OwnTemporaryFile.h"
#include "platform/StraySignals.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QMutex>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <iterator>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

// A lease sees only the openers on this machine. On a network or user-space file system a
// program elsewhere, or one outside the mount, may have the file open unseen.
bool allOpenersVisible(int folderFd)
{
    struct statfs info
    {
    };
    if (::fstatfs(folderFd, &info) != 0)
        return false;
    static const unsigned long remoteKinds[] = {
        0x65735546, // FUSE (sshfs, virtiofs, ...)
        0x6969, // NFS
        0x517b, // SMB
        0xff534d42, // CIFS
        0xfe534d42, // SMB2
        0x01021997, // 9p
        0x00c36400, // Ceph
        0x5346414f, // AFS
        0x6b414653, // kAFS
        0x73757245, // Coda
        0x564c, // NCP
        0x7461636f, // OCFS2
        0x01161970, // GFS2
        0x0bd00bd0, // Lustre
        0x20030528, // OrangeFS
        0x47504653, // GPFS
    };
    const unsigned long kind = static_cast<unsigned long>(info.f_type) & 0xffffffffUL;
    return std::find(std::begin(remoteKinds), std::end(remoteKinds), kind) == std::end(remoteKinds);
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool namesFile(int folderFd, const char* name, const struct stat& file)
{
    struct stat named
    {
    };
    return ::fstatat(folderFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && sameFile(named, file);
}

// Whether the open file is a leftover: a regular file of ours in the temporary mode, linked
// once, untouched for over a minute, that no program has open. Takes a lease that only a file
// open nowhere else can have; closing the descriptor releases it.
bool isLeftover(int fd, struct stat& info, time_t now)
{
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()
        || (info.st_mode & 07777) != OwnTemporaryFile::privateMode || info.st_nlink != 1
        || now - info.st_mtime <= OwnTemporaryFile::staleSeconds)
        return false;
    return ::fcntl(fd, F_SETLEASE, F_WRLCK) == 0;
}

// Removes the leftover checked through its descriptor, and no other file. Nothing unlinks
// by descriptor, and another file may be swapped in under its name between a look and an
// unlink: the file under the name is first moved to a fresh name of the program's own form,
// which no other program knows, and unlinked there only when it is the file checked. A file
// swapped in meanwhile goes back. Killed in between, the fresh name is a leftover like any.
void removeLeftover(int folderFd, const QByteArray& name, const struct stat& checked)
{
    if (!namesFile(folderFd, name.constData(), checked))
        return;
    const QByteArray aside = QFile::encodeName(newOwnTemporaryName());
    if (::renameat2(folderFd, name.constData(), folderFd, aside.constData(), RENAME_NOREPLACE) != 0)
        return;
    if (namesFile(folderFd, aside.constData(), checked)) {
        ::unlinkat(folderFd, aside.constData(), 0);
        return;
    }
    if (::renameat2(folderFd, aside.constData(), folderFd, name.constData(), RENAME_NOREPLACE) != 0)
        qWarning().noquote() << QStringLiteral("A file put in place of the leftover %1 while it was removed is now "
                                               "named %2.")
                                    .arg(QFile::decodeName(name), QFile::decodeName(aside));
}

QList<QByteArray> ownTemporaryNamesIn(int folderFd)
{
    QList<QByteArray> names;
    const int listingFd = ::fcntl(folderFd, F_DUPFD_CLOEXEC, 0);
    DIR* listing = listingFd >= 0 ? ::fdopendir(listingFd) : nullptr;
    if (!listing) {
        if (listingFd >= 0)
            ::close(listingFd);
        return names;
    }
    while (const dirent* entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (isOwnTemporaryName(QFile::decodeName(name)))
            names.append(name);
    }
    ::closedir(listing);
    return names;
}

QString folderKey(const QString& folder)
{
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

} // namespace

void removeStaleTemporaries(const QString& folder)
{
    const int folderFd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return;
    if (allOpenersVisible(folderFd)) {
        // The kernel tells the holder of a lease that another program opens the file by SIGIO,
        // whose default action ends the process: another sweep's look at a leftover would.
        keepSignalHarmless(SIGIO);
        const time_t now = std::time(nullptr);
        for (const QByteArray& name : ownTemporaryNamesIn(folderFd)) {
            // Not a link, and no wait on a lease another program holds.
            const int fd = ::openat(folderFd, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0)
                continue;
            struct stat info
            {
            };
            // Removed under the lease: a program that opens it meanwhile waits until it is gone.
            if (isLeftover(fd, info, now))
                removeLeftover(folderFd, name, info);
            ::close(fd);
        }
    }
    ::close(folderFd);
}

void removeStaleTemporariesNow(const QString& folder)
{
    // Nothing turns stale within a minute of the last look: a batch writing thousands of
    // files into one folder lists it once a minute, not once a file.
    static QMutex mutex;
    static QHash<QString, std::chrono::steady_clock::time_point> lastLook;
    const QString key = folderKey(folder);
    const auto now = std::chrono::steady_clock::now();
    {
        QMutexLocker lock(&mutex);
        const auto last = lastLook.constFind(key);
        if (last != lastLook.cend() && now - *last < std::chrono::seconds(OwnTemporaryFile::staleSeconds))
            return;
        lastLook.insert(key, now);
    }
    removeStaleTemporaries(key);
}

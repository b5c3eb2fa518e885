#include "platform/OwnTemporaryFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString prefix = QStringLiteral(".galavite-");
constexpr int randomLength = 12;
// A writer touches its file at every write: one left alone this long was left by a program
// that ended while writing.
constexpr time_t staleSeconds = 60;

QString randomPart()
{
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    QString part;
    for (int i = 0; i < randomLength; ++i)
        part += QLatin1Char(digits[QRandomGenerator::global()->bounded(36)]);
    return part;
}

QString folderKey(const QString& folder)
{
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

} // namespace

bool isOwnTemporaryName(const QString& name)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\.galavite-[0-9a-z]{%1}(\\.[a-z]{1,4})?$").arg(randomLength));
    return pattern.match(name).hasMatch();
}

OwnTemporaryFile::OwnTemporaryFile(const QString& folder, const QString& suffix, int mode)
{
    removeStaleTemporariesNow(folder);
    const QString stem = QDir(folder).filePath(prefix);
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = stem + randomPart() + suffix;
        native_ = QFile::encodeName(path_);
        fd_ = ::open(native_.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode_t(mode));
        if (fd_ >= 0) {
            // Held until the file is closed: no other program takes it for a leftover meanwhile.
            ::flock(fd_, LOCK_EX | LOCK_NB);
            return;
        }
        if (errno != EEXIST) {
            error_ = qt_error_string(errno);
            break;
        }
    }
    if (error_.isEmpty())
        error_ = QStringLiteral("No free name for a temporary file.");
    path_.clear();
    native_.clear();
}

OwnTemporaryFile::~OwnTemporaryFile()
{
    if (!native_.isEmpty() && !moved_)
        ::unlink(native_.constData());
    if (fd_ >= 0)
        ::close(fd_);
}

bool OwnTemporaryFile::close(QString* reason)
{
    if (fd_ < 0)
        return true;
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed == 0)
        return true;
    if (reason)
        *reason = qt_error_string(errno);
    return false;
}

bool OwnTemporaryFile::moveTo(const QString& target, QString* reason)
{
    if (native_.isEmpty())
        return false;
    if (::rename(native_.constData(), QFile::encodeName(target).constData()) != 0) {
        if (reason)
            *reason = qt_error_string(errno);
        return false;
    }
    moved_ = true;
    return true;
}

void removeStaleTemporaries(const QString& folder)
{
    const time_t now = std::time(nullptr);
    QDirIterator entries(folder, { prefix + QLatin1Char('*') }, QDir::Files | QDir::Hidden | QDir::System);
    while (entries.hasNext()) {
        const QString path = entries.next();
        if (!isOwnTemporaryName(entries.fileName()))
            continue;
        const QByteArray native = QFile::encodeName(path);
        const int fd = ::open(native.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat info
        {
        };
        // Unlinked while the lock is held, so that no program still writing it loses it.
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && now - info.st_mtime > staleSeconds
            && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(native.constData());
        ::close(fd);
    }
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
        if (last != lastLook.cend() && now - *last < std::chrono::seconds(staleSeconds))
            return;
        lastLook.insert(key, now);
    }
    removeStaleTemporaries(key);
}

bool replaceableOrWhy(const QString& path, QString* reason, bool followLinks)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info
    {
    };
    const int found = followLinks ? ::stat(native.constData(), &info) : ::lstat(native.constData(), &info);
    if (found != 0 || !S_ISREG(info.st_mode))
        return true;
    // Root may write anything: a file nobody may write is still read-only to the person.
    int refusal = (info.st_mode & 0222) == 0 ? EACCES : 0;
    if (refusal == 0 && ::access(native.constData(), W_OK) != 0 && errno != ENOENT)
        refusal = errno;
    if (refusal == 0)
        return true;
    if (reason)
        *reason = qt_error_string(refusal);
    return false;
}

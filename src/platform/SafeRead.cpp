#include "platform/SafeRead.h"

#include "platform/SizeText.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SafeRead {

namespace {

bool refuse(const QString& path, const QString& why, QString* reason)
{
    if (reason)
        *reason = why;
    else
        qWarning().noquote() << QStringLiteral("Not read: %1: %2").arg(path, why);
    return false;
}

// A descriptor open for reading on the regular file at path, or -1. O_NONBLOCK keeps open()
// from waiting for a writer on a FIFO; fstat then judges what was really opened.
int openRegular(const QString& path, struct stat& info, QString* reason)
{
    const int fd = path.isEmpty() ? -1 : ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        refuse(path, path.isEmpty() ? QStringLiteral("No file was named.") : qt_error_string(errno), reason);
        return -1;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        refuse(path, QStringLiteral("It is not a regular file."), reason);
        return -1;
    }
    return fd;
}

QString tooLarge(qint64 maxBytes)
{
    return QStringLiteral("It is larger than %1.").arg(sizeText(maxBytes));
}

} // namespace

bool openRegularFile(QFile& file, const QString& path, QString* reason)
{
    struct stat info
    {
    };
    const int fd = openRegular(path, info, reason);
    if (fd < 0)
        return false;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refuse(path, file.errorString(), reason);
    }
    return true;
}

bool readRegularFileInPieces(
    const QString& path, qint64 maxBytes, const std::function<bool(const char*, qsizetype)>& take, QString* reason)
{
    struct stat info
    {
    };
    const int fd = openRegular(path, info, reason);
    if (fd < 0)
        return false;
    if (info.st_size > maxBytes) {
        ::close(fd);
        return refuse(path, tooLarge(maxBytes), reason);
    }
    // The stated size is a hint only: a file may grow while it is read, or state no size.
    qint64 total = 0;
    char block[64 * 1024];
    for (;;) {
        const ssize_t count = ::read(fd, block, sizeof block);
        if (count == 0)
            break;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            const int failure = errno;
            ::close(fd);
            return refuse(path, qt_error_string(failure), reason);
        }
        total += count;
        if (total > maxBytes) {
            ::close(fd);
            return refuse(path, tooLarge(maxBytes), reason);
        }
        if (!take(block, qsizetype(count))) {
            ::close(fd);
            return false;
        }
    }
    ::close(fd);
    return true;
}

bool readRegularFile(const QString& path, qint64 maxBytes, QByteArray& bytes, QString* reason)
{
    bytes.clear();
    QFileInfo info(path);
    if (info.isFile() && info.size() <= maxBytes)
        bytes.reserve(qsizetype(info.size()));
    const bool read = readRegularFileInPieces(
        path, maxBytes,
        [&bytes](const char* piece, qsizetype size) {
            bytes.append(piece, size);
            return true;
        },
        reason);
    if (!read)
        bytes.clear();
    return read;
}

} // namespace SafeRead

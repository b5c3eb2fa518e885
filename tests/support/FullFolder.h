#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

// A folder where writes run out of room once fill() was called: a small tmpfs filled to the
// brim where the test may mount one (as root), else a file-size limit on this process, under
// which a write fails the same way (EFBIG instead of ENOSPC). Header only, so that the tests
// without the shared support library can use it too.
class FullFolder
{
public:
    FullFolder()
    {
        mounted_ = ::geteuid() == 0
            && ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0, "size=1m") == 0;
    }
    ~FullFolder()
    {
        if (mounted_)
            ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
        if (limited_) {
            ::setrlimit(RLIMIT_FSIZE, &oldLimit_);
            std::signal(SIGXFSZ, oldHandler_);
        }
    }
    FullFolder(const FullFolder&) = delete;
    FullFolder& operator=(const FullFolder&) = delete;

    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    bool isTmpfs() const { return mounted_; }
    // Why the writes fail, as the system says it.
    QString expectedReason() const { return qt_error_string(mounted_ ? ENOSPC : EFBIG); }

    // From now on no file grows past roomBytes more (rounded down to whole pages on tmpfs).
    void fill(qint64 roomBytes = 0)
    {
        if (mounted_) {
            const QByteArray filler = QFile::encodeName(filePath(QStringLiteral("filler")));
            const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const QByteArray block(4096, 'x');
            while (::write(fd, block.constData(), size_t(block.size())) > 0) { }
            ::ftruncate(fd, ::lseek(fd, 0, SEEK_CUR) - roomBytes);
            ::close(fd);
            return;
        }
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &oldLimit_);
        rlimit limit = oldLimit_;
        limit.rlim_cur = rlim_t(roomBytes);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        limited_ = true;
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    bool limited_ = false;
    rlimit oldLimit_ {};
    void (*oldHandler_)(int) = SIG_DFL;
};

#pragma once

#include "support/TmpfsFolder.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

// A folder where writes run out of room once fill() was called: a small tmpfs filled to the
// brim where the test may mount one (as root), else a file-size limit on this process, under
// which a write fails the same way (EFBIG instead of ENOSPC). Header only, so that the tests
// without the shared support library can use it too.
class FullFolder
{
public:
    FullFolder() = default;
    ~FullFolder()
    {
        if (limited_) {
            ::setrlimit(RLIMIT_FSIZE, &oldLimit_);
            std::signal(SIGXFSZ, oldHandler_);
        }
    }
    FullFolder(const FullFolder&) = delete;
    FullFolder& operator=(const FullFolder&) = delete;

    QString path() const { return folder_.path(); }
    QString filePath(const QString& name) const { return folder_.filePath(name); }
    bool isTmpfs() const { return folder_.isTmpfs(); }
    // Why the writes fail, as the system says it.
    QString expectedReason() const { return qt_error_string(isTmpfs() ? ENOSPC : EFBIG); }

    // From now on no file grows past roomBytes more (rounded down to whole pages on tmpfs).
    void fill(qint64 roomBytes = 0)
    {
        if (isTmpfs()) {
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
    TmpfsFolder folder_ { "size=1m" };
    bool limited_ = false;
    rlimit oldLimit_ {};
    void (*oldHandler_)(int) = SIG_DFL;
};

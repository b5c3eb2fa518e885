#pragma once

#include <QString>
#include <QTemporaryDir>

#include <sys/mount.h>

#include <cerrno>
#include <cstring>

// A tmpfs of a given size (or read-only) mounted for one test, so that a write fails for real
// with the system's own reason. Needs root; otherwise isMounted() is false and whyNot() says
// why, for the test to skip.
class SmallFilesystem
{
public:
    explicit SmallFilesystem(qint64 bytes, bool readOnly = false)
    {
        if (!folder_.isValid()) {
            whyNot_ = QStringLiteral("no temporary folder for the mount point");
            return;
        }
        const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0777";
        if (::mount("tmpfs", folder_.path().toLocal8Bit().constData(), "tmpfs", readOnly ? MS_RDONLY : 0,
                options.constData())
            != 0) {
            whyNot_ = QStringLiteral("cannot mount a tmpfs (root only): %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        mounted_ = true;
    }
    ~SmallFilesystem()
    {
        if (mounted_)
            ::umount2(folder_.path().toLocal8Bit().constData(), MNT_DETACH);
    }
    SmallFilesystem(const SmallFilesystem&) = delete;
    SmallFilesystem& operator=(const SmallFilesystem&) = delete;

    bool isMounted() const { return mounted_; }
    QString whyNot() const { return whyNot_; }
    QString path() const { return folder_.path(); }

private:
    QTemporaryDir folder_;
    bool mounted_ = false;
    QString whyNot_;
};

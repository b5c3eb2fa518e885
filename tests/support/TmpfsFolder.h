#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <sys/mount.h>
#include <unistd.h>

// A temporary folder with a tmpfs of its own mounted on it where the test may mount one (as
// root), else a plain temporary folder. Header only, so that the tests without the shared
// support library can use it too.
class TmpfsFolder
{
public:
    // mountOptions as mount(8) takes them, such as "size=1m".
    explicit TmpfsFolder(const char* mountOptions)
    {
        mounted_ = ::geteuid() == 0
            && ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0, mountOptions) == 0;
    }
    ~TmpfsFolder()
    {
        if (mounted_)
            ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }
    TmpfsFolder(const TmpfsFolder&) = delete;
    TmpfsFolder& operator=(const TmpfsFolder&) = delete;

    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    bool isTmpfs() const { return mounted_; }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

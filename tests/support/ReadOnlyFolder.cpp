#include "support/ReadOnlyFolder.h"

#include <QDir>
#include <QFile>

#include <sys/mount.h>
#include <unistd.h>

ReadOnlyFolder::ReadOnlyFolder(const std::function<void(const QString& folder)>& fill)
{
    if (!folder_.isValid())
        return;
    const QByteArray where = QFile::encodeName(folder_.path());
    const unsigned long flags = MS_NOSUID | MS_NODEV;
    mounted_ = ::mount("tmpfs", where.constData(), "tmpfs", fill ? flags : flags | MS_RDONLY, "size=1m") == 0;
    if (fill)
        fill(folder_.path());
    if (mounted_ && fill
        && ::mount("tmpfs", where.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY | flags, nullptr) != 0) {
        ::umount2(where.constData(), MNT_DETACH);
        mounted_ = false;
        fill(folder_.path()); // into the folder the mount covered
    }
    if (!mounted_)
        QFile::setPermissions(folder_.path(), QFile::ReadOwner | QFile::ExeOwner);
    // Root ignores permissions: only a write that really fails makes the folder usable.
    usable_ = ::access(where.constData(), W_OK) != 0;
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (mounted_)
        ::umount2(QFile::encodeName(folder_.path()).constData(), MNT_DETACH);
    else
        QFile::setPermissions(folder_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString ReadOnlyFolder::filePath(const QString& name) const
{
    return QDir(folder_.path()).filePath(name);
}

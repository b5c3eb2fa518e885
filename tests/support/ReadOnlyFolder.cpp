#include "support/ReadOnlyFolder.h"

#include <QDir>
#include <QFile>

#include <sys/mount.h>
#include <unistd.h>

ReadOnlyFolder::ReadOnlyFolder()
{
    if (!folder_.isValid())
        return;
    const QByteArray where = QFile::encodeName(folder_.path());
    mounted_ = ::mount("tmpfs", where.constData(), "tmpfs", MS_RDONLY | MS_NOSUID | MS_NODEV, "size=64k") == 0;
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

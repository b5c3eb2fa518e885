#include "data/SeriesFileWatcher.h"

#include "data/SeriesStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

// Tells one folder at a path from another made there later; "" when none is there.
QString folderIdentity(const QString& path)
{
    struct stat status
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISDIR(status.st_mode))
        return {};
    return QStringLiteral("%1:%2").arg(quint64(status.st_dev)).arg(quint64(status.st_ino));
}

} // namespace

SeriesFileWatcher::SeriesFileWatcher(QObject* parent)
    : QObject(parent)
{
    settle_.setSingleShot(true);
    settle_.setInterval(150);
    connect(&settle_, &QTimer::timeout, this, &SeriesFileWatcher::tell);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &SeriesFileWatcher::fileChanged);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &SeriesFileWatcher::folderChanged);
}

void SeriesFileWatcher::watch(const QString& name)
{
    const QString path = seriesFilePath(name);
    if (names_.contains(path))
        return;
    names_.insert(path, name);
    // The folder tells of a file that comes (back) after it was missing.
    const QString folder = QFileInfo(path).absolutePath();
    if (!folders_.contains(folder))
        followFolder(folder);
    if (QFileInfo::exists(path))
        watcher_.addPath(path);
}

bool SeriesFileWatcher::followFolder(const QString& folder)
{
    FollowedFolder& followed = folders_[folder];
    const QString identity = folderIdentity(folder);
    // A watch stays on the folder it began on, moved or removed: the one at the path now needs
    // its own.
    const bool anew = !identity.isEmpty() && identity != followed.identity;
    if (anew) {
        watcher_.removePath(folder);
        watcher_.addPath(folder);
    }
    followed.identity = identity;
    // A folder's own watch says nothing when the folder is moved away: the folder above it
    // does, and tells of one made anew.
    QString lookout = QFileInfo(folder).absolutePath();
    QString lookoutIdentity = folderIdentity(lookout);
    while (lookout != QDir::rootPath() && lookoutIdentity.isEmpty()) {
        lookout = QFileInfo(lookout).absolutePath();
        lookoutIdentity = folderIdentity(lookout);
    }
    if (lookout != followed.lookout || lookoutIdentity != followed.lookoutIdentity) {
        if (!followed.lookout.isEmpty())
            watcher_.removePath(followed.lookout);
        watcher_.addPath(lookout);
        followed.lookout = lookout;
        followed.lookoutIdentity = lookoutIdentity;
    }
    return anew;
}

void SeriesFileWatcher::fileChanged(const QString& path)
{
    // A watch stays on the file it began on: one renamed over it or written anew needs its own.
    watcher_.removePath(path);
    if (QFileInfo::exists(path))
        watcher_.addPath(path);
    changedNames_.insert(names_.value(path));
    if (!settle_.isActive())
        settle_.start();
}

void SeriesFileWatcher::folderChanged()
{
    QSet<QString> foldersAnew;
    QSet<QString> foldersGone;
    for (auto it = folders_.begin(); it != folders_.end(); ++it) {
        const bool wasThere = !it->identity.isEmpty();
        if (followFolder(it.key()))
            foldersAnew.insert(it.key());
        else if (wasThere && it->identity.isEmpty())
            foldersGone.insert(it.key());
    }
    const QStringList watched = watcher_.files();
    for (auto it = names_.cbegin(); it != names_.cend(); ++it) {
        const QString folder = QFileInfo(it.key()).absolutePath();
        // The files of a folder gone or made anew are other files now, or none.
        if (foldersAnew.contains(folder) || foldersGone.contains(folder)
            || (!watched.contains(it.key()) && QFileInfo::exists(it.key())))
            fileChanged(it.key());
    }
}

void SeriesFileWatcher::tell()
{
    const QSet<QString> names = std::exchange(changedNames_, {});
    for (const QString& name : names)
        emit changed(name);
}

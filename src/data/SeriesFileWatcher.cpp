#include "data/SeriesFileWatcher.h"

#include "data/SeriesStore.h"

#include <QFileInfo>

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
    if (!watcher_.directories().contains(folder))
        watcher_.addPath(folder);
    if (QFileInfo::exists(path))
        watcher_.addPath(path);
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
    const QStringList watched = watcher_.files();
    for (auto it = names_.cbegin(); it != names_.cend(); ++it)
        if (!watched.contains(it.key()) && QFileInfo::exists(it.key()))
            fileChanged(it.key());
}

void SeriesFileWatcher::tell()
{
    const QSet<QString> names = std::exchange(changedNames_, {});
    for (const QString& name : names)
        emit changed(name);
}

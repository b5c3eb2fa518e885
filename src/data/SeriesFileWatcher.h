#pragma once

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

// Tells when the file of a series watched changes on disk, also when another program replaces
// it (a new file renamed over the old one ends a plain watch of the old) or removes it and
// writes it again, and when the series folder itself is moved away or removed and made anew:
// the folder is followed by its path, not by the folder first found there. Changes that come
// close together are told once, so that a program rewriting a file all the time costs a few
// redraws a second.
class SeriesFileWatcher : public QObject
{
    Q_OBJECT

public:
    explicit SeriesFileWatcher(QObject* parent = nullptr);

    // Watches the series' file from now on; cheap when it is already watched.
    void watch(const QString& name);

signals:
    void changed(const QString& name);

private:
    void fileChanged(const QString& path);
    void folderChanged();
    // Watches the folder at its path, and the nearest folder above it that is there, which
    // tells when it is moved away, removed or made anew; true when a folder now lies at the
    // path that was not watched there before.
    bool followFolder(const QString& folder);
    void tell();

    QFileSystemWatcher watcher_;
    QHash<QString, QString> names_; // file path -> series name
    struct FollowedFolder
    {
        QString lookout; // the folder above it that is watched for it
        QString lookoutIdentity;
        QString identity; // device and inode of the folder watched at the path
    };
    QHash<QString, FollowedFolder> folders_;
    QSet<QString> changedNames_;
    QTimer settle_;
};

#pragma once

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

// Tells when the file of a series watched changes on disk, also when another program replaces
// it (a new file renamed over the old one ends a plain watch of the old) or removes it and
// writes it again. Changes that come close together are told once, so that a program rewriting
// a file all the time costs a few redraws a second.
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
    void tell();

    QFileSystemWatcher watcher_;
    QHash<QString, QString> names_; // file path -> series name
    QSet<QString> changedNames_;
    QTimer settle_;
};

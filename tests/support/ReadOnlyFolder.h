#pragma once

#include <QString>
#include <QTemporaryDir>

#include <functional>

// A folder nothing can be written into, also by root: a read-only tmpfs mounted over a
// temporary folder where the test may mount, else the folder without write permission.
// `path()` is empty when neither gives a folder that refuses writes (root without mounts).
// `fill` (if given) writes the files the folder holds before it refuses writes.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const std::function<void(const QString& folder)>& fill = {});
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    QString path() const { return usable_ ? folder_.path() : QString(); }
    QString filePath(const QString& name) const;

private:
    QTemporaryDir folder_;
    bool mounted_ = false;
    bool usable_ = false;
};

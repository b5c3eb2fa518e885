#pragma once

#include <QString>

#include <optional>

// A lock file beside an open design (".NAME.lock", holding the host name and process id), so
// that a second program opening the same design can say that it is open elsewhere. It only
// informs: the design opens either way, and a save checks the file before replacing it.
class DesignLock
{
public:
    struct Holder
    {
        QString host;
        qint64 pid = 0;
    };

    DesignLock() = default;
    ~DesignLock();
    DesignLock(const DesignLock&) = delete;
    DesignLock& operator=(const DesignLock&) = delete;

    // Locks the design at designPath, giving up the lock held on another design. A lock left
    // by a program that has ended (on this host, its process gone or another program's) is
    // taken over. While a running Galavite holds it nothing is taken and its holder is
    // returned. A folder that takes no file (read-only) leaves the design unlocked.
    std::optional<Holder> lock(const QString& designPath);
    // Removes the lock file, if it is still this program's.
    void release();
    bool isHeld() const { return !lockPath_.isEmpty(); }

    static QString lockFileFor(const QString& designPath);

private:
    QString lockPath_;
};

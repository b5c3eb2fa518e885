#pragma once

#include <QString>

#include <optional>

// A lock file beside an open design (".NAME.lock") in which every program that has the design
// open is listed (host name and process id, a line each), so that each program opening it can
// say that it is open elsewhere, whichever of the others has closed it since. It only informs:
// the design opens either way, and a save checks the file before replacing it.
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

    // Lists this program at the design at designPath, taking it off the design it was listed
    // at, and returns the running Galavite that has had the design open longest, if any. The
    // entries of programs that have ended (on this host, their process gone or another
    // program's) are dropped. A folder that takes no file (read-only) leaves this program
    // unlisted, but still names who is listed there.
    std::optional<Holder> lock(const QString& designPath);
    // Takes this program off the list; the file goes with the last one listed.
    void release();

    static QString lockFileFor(const QString& designPath);

private:
    QString lockPath_;
};

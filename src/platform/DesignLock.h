#pragma once

#include <QString>

#include <optional>

// A lock file beside an open design (".NAME.lock") in which every program that has the design
// open is listed (host name and process id, a line each), so that each program opening it can
// say that it is open elsewhere, whichever of the others has closed it since. It only informs:
// the design opens either way, and a save checks the file before replacing it. The list is kept
// within what a reader reads, so every program of this host that is listed is seen.
class DesignLock
{
public:
    struct Holder
    {
        QString host;
        qint64 pid = 0;
        // A program of another computer, whose processes cannot be looked at: it may have ended
        // without taking itself off the list.
        bool mayHaveEnded = false;
    };
    struct Finding
    {
        std::optional<Holder> other; // one of this host before one that may have ended
        QString unknownBecause; // why the others cannot be known (the list was not taken), or ""
    };

    DesignLock() = default;
    ~DesignLock();
    DesignLock(const DesignLock&) = delete;
    DesignLock& operator=(const DesignLock&) = delete;

    // Lists this program at the design at designPath, taking it off the design it was listed
    // at, and returns the running Galavite of this host that has had the design open longest,
    // or else the longest listed of another host, if any. The entries of programs that have
    // ended (on this host, their process gone or another program's) are dropped. Something
    // other than a file in the list's place (a FIFO, a socket, an empty folder, a link) is
    // replaced. A folder that takes no file (read-only) leaves this program unlisted, but
    // still names who is listed there. A list held by another program past a moment, or that
    // cannot be replaced, leaves this program unlisted and says why.
    Finding lock(const QString& designPath);
    // Takes this program off the list; the file goes with the last one listed.
    void release();

    static QString lockFileFor(const QString& designPath);

private:
    QString lockPath_;
};

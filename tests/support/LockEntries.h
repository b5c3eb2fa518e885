#pragma once

// What the lock file beside a design lists: a host line and a process line for each program
// that has the design open.
#include "platform/DesignLock.h"
#include "support/Patience.h"

#include <QFile>
#include <QProcess>
#include <QSysInfo>

inline QByteArray lockOf(const QString& design)
{
    QFile lock(DesignLock::lockFileFor(design));
    return lock.open(QIODevice::ReadOnly) ? lock.readAll() : QByteArray();
}

// The entry of a process of this host.
inline QByteArray lockRecord(qint64 pid)
{
    return QSysInfo::machineHostName().toUtf8() + '\n' + QByteArray::number(pid) + '\n';
}

// Another process holding the file lock of path (made when missing) until this is destroyed:
// util-linux's flock running a command that waits for the end of its input.
class HeldLock
{
public:
    explicit HeldLock(const QString& path)
    {
        process_.start(QStringLiteral("flock"),
            { path, QStringLiteral("sh"), QStringLiteral("-c"), QStringLiteral("echo held; exec cat") });
        while (process_.state() != QProcess::NotRunning && !process_.canReadLine())
            process_.waitForReadyRead(patience::generousMs);
        held_ = process_.canReadLine() && process_.readLine() == "held\n";
    }
    ~HeldLock() { letGo(); }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

    bool held() const { return held_; }
    void letGo()
    {
        process_.closeWriteChannel();
        patience::finished(process_);
        held_ = false;
    }

private:
    QProcess process_;
    bool held_ = false;
};

#pragma once

// What the lock file beside a design lists: a host line and a process line for each program
// that has the design open.
#include "platform/DesignLock.h"

#include <QFile>
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

#include "platform/FileIdentity.h"

#include <QFile>

#include <sys/stat.h>

// Taken straight from the file system: QFileInfo gives times as local time, which reads the C
// library's time-zone state on every worker at once.
QString fileIdentity(const QString& path)
{
    struct stat status
    {
    };
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    const auto nanoseconds = [](const timespec& time) { return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec; };
    return QStringLiteral("%1\n%2\n%3\n%4\n%5")
        .arg(qint64(status.st_size))
        .arg(nanoseconds(status.st_mtim))
        .arg(nanoseconds(status.st_ctim))
        .arg(quint64(status.st_dev))
        .arg(quint64(status.st_ino));
}

#include "platform/FileIdentity.h"

#include <QFile>
#include <QStringList>

#include <sys/stat.h>

namespace {

QString identityOf(const struct stat& status)
{
    const auto nanoseconds = [](const timespec& time) { return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec; };
    return QStringLiteral("%1\n%2\n%3\n%4\n%5")
        .arg(qint64(status.st_size))
        .arg(nanoseconds(status.st_mtim))
        .arg(nanoseconds(status.st_ctim))
        .arg(quint64(status.st_dev))
        .arg(quint64(status.st_ino));
}

constexpr int changeTimeField = 2;

} // namespace

// Taken straight from the file system: QFileInfo gives times as local time, which reads the C
// library's time-zone state on every worker at once.
QString fileIdentity(const QString& path)
{
    struct stat status
    {
    };
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return identityOf(status);
}

QString openFileIdentity(int descriptor)
{
    struct stat status
    {
    };
    if (descriptor < 0 || ::fstat(descriptor, &status) != 0)
        return {};
    return identityOf(status);
}

bool openFileUnchanged(int descriptor, const QString& identity)
{
    QStringList now = openFileIdentity(descriptor).split(u'\n');
    QStringList then = identity.split(u'\n');
    if (identity.isEmpty() || now.size() != then.size())
        return false;
    now.removeAt(changeTimeField);
    then.removeAt(changeTimeField);
    return now == then;
}

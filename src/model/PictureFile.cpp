#include "model/PictureFile.h"

#include "common/Logging.h"
#include "model/StoredPaths.h"
#include "platform/ImageResolution.h"
#include "platform/SharedImages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

// The file's identity, so that a changed or replaced file is read afresh. Size and modification
// time alone miss a file overwritten and given its old time back (touch -r, rsync -t, a copy
// onto a FAT stick's 2-second times) or another file moved over it: the device and inode tell
// a different file, and the change time, which no tool can set back, tells a rewritten one.
// Taken straight from the file system: QFileInfo gives times as local time, which reads the C
// library's time-zone state on every worker at once.
QString identityOf(const QFileInfo& info)
{
    const QString canonical = info.canonicalFilePath();
    struct stat status
    {
    };
    if (canonical.isEmpty() || ::stat(QFile::encodeName(canonical).constData(), &status) != 0)
        return {};
    const auto nanoseconds = [](const timespec& time) { return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec; };
    return QStringLiteral("%1\n%2\n%3\n%4\n%5\n%6")
        .arg(canonical)
        .arg(qint64(status.st_size))
        .arg(nanoseconds(status.st_mtim))
        .arg(nanoseconds(status.st_ctim))
        .arg(quint64(status.st_dev))
        .arg(quint64(status.st_ino));
}

} // namespace

QString PictureFile::standardizedPath(const QString& path)
{
    QString expanded = path;
    if (expanded == QLatin1String("~"))
        expanded = QDir::homePath();
    else if (expanded.startsWith(QLatin1String("~/")))
        expanded = QDir::homePath() + expanded.mid(1);
    return expanded.isEmpty() ? expanded : QDir::cleanPath(expanded);
}

SharedImages& PictureFile::decodedPictures()
{
    static SharedImages pictures(decodedBudget);
    return pictures;
}

QImage PictureFile::load(const QString& path, QString* error)
{
    const QString file = Resolve_Stored_Picture_Path(standardizedPath(path));
    const QString identity = file.isEmpty() ? QString() : identityOf(QFileInfo(file));
    if (identity.isEmpty()) {
        if (error)
            *error = file.isEmpty() ? QStringLiteral("No file was named.") : QStringLiteral("The file does not exist.");
        return {};
    }
    if (QImage known = decodedPictures().find(identity); !known.isNull())
        return known;
    QString why;
    QImage image = ImageResolution::readImageFile(file, &why);
    if (!image.isNull())
        image = decodedPictures().keep(identity, image, &why);
    if (image.isNull()) {
        Show_NSLog_Message(QStringLiteral("Cannot read the picture %1: %2").arg(file, why));
        if (error)
            *error = why;
    }
    return image;
}

QSizeF PictureFile::sizeInPoints(const QImage& image)
{
    return ImageResolution::pointSize(image);
}

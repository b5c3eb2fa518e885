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

// The file's identity: a changed or replaced file is read afresh.
// The modification time straight from the file system: QFileInfo gives it as local time,
// which reads the C library's time-zone state on every worker at once.
qint64 modifiedNanoseconds(const QString& path)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
}

QString identityOf(const QFileInfo& info)
{
    const QString canonical = info.canonicalFilePath();
    return QStringLiteral("%1\n%2\n%3").arg(canonical).arg(info.size()).arg(modifiedNanoseconds(canonical));
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
    const QFileInfo info(file);
    if (file.isEmpty() || !info.exists()) {
        if (error)
            *error = file.isEmpty() ? QStringLiteral("No file was named.") : QStringLiteral("The file does not exist.");
        return {};
    }
    const QString identity = identityOf(info);
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

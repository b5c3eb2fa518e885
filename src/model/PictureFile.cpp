#include "model/PictureFile.h"

#include "common/Logging.h"
#include "model/StoredPaths.h"
#include "platform/ImageResolution.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <mutex>

namespace {

struct SharedPicture
{
    QImage image;
    QDateTime modified;
    qint64 size = -1;
};

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

QImage PictureFile::load(const QString& path)
{
    const QString file = Resolve_Stored_Picture_Path(standardizedPath(path));
    if (file.isEmpty())
        return {};
    if (!QFileInfo::exists(file))
        return {};
    QString error;
    QImage image = ImageResolution::readImageFile(file, &error);
    if (image.isNull())
        Show_NSLog_Message(QStringLiteral("Cannot read the picture %1: %2").arg(file, error));
    return image;
}

QImage PictureFile::loadShared(const QString& path)
{
    static std::mutex mutex;
    static QHash<QString, SharedPicture> pictures;

    const QString file = standardizedPath(path);
    const QFileInfo info(file);
    if (file.isEmpty() || !info.exists())
        return {};
    const QDateTime modified = info.lastModified();
    {
        std::lock_guard lock(mutex);
        const auto found = pictures.constFind(file);
        if (found != pictures.constEnd() && found->modified == modified && found->size == info.size())
            return found->image;
    }
    SharedPicture entry{load(file), modified, info.size()};
    std::lock_guard lock(mutex);
    pictures.insert(file, entry);
    return entry.image;
}

QSizeF PictureFile::sizeInPoints(const QImage& image)
{
    return ImageResolution::pointSize(image);
}

#include "model/PictureFile.h"

#include "common/Logging.h"
#include "model/StoredPaths.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

#include <mutex>

namespace {

constexpr double pointsPerInch = 72.0;
constexpr double inchesPerMetre = 1.0 / 0.0254;
// What QImage reports when a file states no resolution (96 dpi).
constexpr int unstatedDotsPerMetre = 3780;

double dotsPerInch(int dotsPerMetre)
{
    if (dotsPerMetre <= 0 || dotsPerMetre == unstatedDotsPerMetre)
        return pointsPerInch;
    return dotsPerMetre / inchesPerMetre;
}

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
    QImageReader reader(file);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull() && QFileInfo::exists(file))
        Show_NSLog_Message(QStringLiteral("Cannot read the picture %1: %2").arg(file, reader.errorString()));
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
    if (image.isNull())
        return {};
    return {image.width() * pointsPerInch / dotsPerInch(image.dotsPerMeterX()),
            image.height() * pointsPerInch / dotsPerInch(image.dotsPerMeterY())};
}

#include "model/PictureFile.h"

#include "common/Logging.h"
#include "model/StoredPaths.h"
#include "platform/FileIdentity.h"
#include "platform/ImageResolution.h"
#include "platform/SharedImages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The file's path and state: a changed or replaced file is read afresh.
QString identityOf(const QFileInfo& info)
{
    const QString canonical = info.canonicalFilePath();
    const QString state = fileIdentity(canonical);
    return state.isEmpty() ? QString() : canonical + QLatin1Char('\n') + state;
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

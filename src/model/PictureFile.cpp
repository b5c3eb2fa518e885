#include "model/PictureFile.h"

#include "common/Logging.h"
#include "model/PictureOmissions.h"
#include "model/StoredPaths.h"
#include "platform/FileIdentity.h"
#include "platform/FolderPath.h"
#include "platform/ImageResolution.h"
#include "platform/SafeRead.h"
#include "platform/SharedImages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <cerrno>
#include <sys/stat.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// The file's path and state: a changed or replaced file is read afresh.
QString identityOf(const QFileInfo& info)
{
    const QString canonical = info.canonicalFilePath();
    const QString state = fileIdentity(canonical);
    return state.isEmpty() ? QString() : canonical + QLatin1Char('\n') + state;
}

// Why a named file that gives no identity cannot be read: a loop of links or a name too long
// is not a missing file, and the system says which.
QString missingFileReason(const QString& file)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(file).constData(), &info) == 0)
        return QStringLiteral("It is not a regular file that can be read.");
    const int failure = errno;
    return failure == ENOENT ? QStringLiteral("The file does not exist.") : qt_error_string(failure) + u'.';
}

} // namespace

QString PictureFile::standardizedPath(const QString& path)
{
    QString expanded = path;
    if (expanded == QLatin1String("~"))
        expanded = QDir::homePath();
    else if (expanded.startsWith(QLatin1String("~/")))
        expanded = QDir::homePath() + expanded.mid(1);
    if (expanded.isEmpty())
        return expanded;
    // A ".." after a link leaves the folder the link leads to, as the system opens the file; a
    // relative path keeps it for the folder it is taken from to resolve.
    if (QDir::isAbsolutePath(expanded))
        return systemPath(expanded);
    return climbsUp(expanded) ? expanded : QDir::cleanPath(expanded);
}

void PictureFile::applyBudgetToReaders()
{
    static const bool applied = [] {
        ImageResolution::setLargestDecoded(decodedBudget);
        return true;
    }();
    Q_UNUSED(applied);
}

SharedImages& PictureFile::decodedPictures()
{
    applyBudgetToReaders();
    static SharedImages pictures(decodedBudget);
    return pictures;
}

SharedImages& PictureFile::processedPictures()
{
    static SharedImages pictures(decodedBudget);
    return pictures;
}

void PictureFile::releaseUnused()
{
    // The results of effects first: they may hold the last copies of decoded pictures.
    processedPictures().releaseUnused();
    decodedPictures().releaseUnused();
#ifdef __GLIBC__
    // Freed pixels below the allocator's mapping threshold would stay with the process.
    malloc_trim(0);
#endif
}

QImage PictureFile::load(const QString& path, QString* error, Refusal* refusal)
{
    const auto refuse = [&](const QString& why, Refusal kind) {
        if (error)
            *error = why;
        if (refusal)
            *refusal = kind;
    };
    const QString file = Resolve_Stored_Picture_Path(standardizedPath(path));
    const QString identity = file.isEmpty() ? QString() : identityOf(QFileInfo(file));
    if (identity.isEmpty()) {
        if (file.isEmpty()) {
            refuse(QStringLiteral("No file was named."), Refusal::Unreadable);
            return {};
        }
        const QString why = missingFileReason(file);
        PictureOmissions::note(file, why);
        refuse(why, Refusal::Unreadable);
        return {};
    }
    SharedImages& decoded = decodedPictures();
    // Two threads decoding one file at once would set its room aside twice: the budget then
    // refuses pictures that fit.
    if (QImage known = decoded.findOrClaim(identity); !known.isNull())
        return known;
    const auto claim = qScopeGuard([&] { decoded.endClaim(identity); });
    QString why;
    QImage image;
    QByteArray data;
    qint64 refusedBytes = 0; // of a picture that the budget refused
    if (SafeRead::readRegularFile(file, SafeRead::maxPictureBytes, data, &why)) {
        // Room is set aside before decoding: pictures decoded at once stay within the budget
        // together, and one that cannot fit costs no decoding.
        const qint64 reserved = ImageResolution::decodedBytes(data);
        if (decoded.reserve(reserved, &why)) {
            const QImage read = ImageResolution::readImageData(data, &why);
            image = decoded.keep(identity, read, &why, reserved);
            if (image.isNull() && !read.isNull())
                refusedBytes = read.sizeInBytes();
        } else {
            refusedBytes = reserved;
        }
    }
    if (image.isNull()) {
        Show_NSLog_Message(QStringLiteral("Cannot read the picture %1: %2").arg(file, why));
        PictureOmissions::note(file, why);
        refuse(why,
            refusedBytes == 0                      ? Refusal::Unreadable
                : refusedBytes > decoded.budget() ? Refusal::TooLarge
                                                   : Refusal::NoRoom);
    }
    return image;
}

QSizeF PictureFile::sizeInPoints(const QImage& image)
{
    return ImageResolution::pointSize(image);
}

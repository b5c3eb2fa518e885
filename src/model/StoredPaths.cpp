#include "model/StoredPaths.h"

#include "common/Globals.h"
#include "platform/FolderPath.h"

#include <QDir>
#include <QFileInfo>

QString Stored_Picture_Path(const QString& path)
{
    if (Resource_Path.isEmpty() || !QDir::isAbsolutePath(path))
        return path;
    const QString folder = QDir::cleanPath(Resource_Path) + QLatin1Char('/');
    const QString clean = systemPath(path);
    return clean.startsWith(folder) && clean.size() > folder.size() ? clean.mid(folder.size()) : path;
}

QString Loaded_Picture_Path(const QString& storedPath)
{
    if (storedPath.isEmpty() || !QDir::isRelativePath(storedPath))
        return storedPath;
    const QString found = Resolve_Stored_Picture_Path(storedPath);
    return !found.isEmpty() && QFileInfo(found).isFile() ? found : storedPath;
}

QString Resolve_Stored_Picture_Path(const QString& storedPath)
{
    if (storedPath.isEmpty())
        return storedPath;
    if (QDir::isRelativePath(storedPath)) {
        // Named inside the resource folder (the built-in templates do so): each user's own
        // folder, never the folder the program happens to run in.
        const QString inside = QDir::cleanPath(QDir::fromNativeSeparators(storedPath));
        if (Resource_Path.isEmpty() || inside == QLatin1String("..") || inside.startsWith(QLatin1String("../")))
            return QString();
        // A ".." after a link inside leaves the folder the link leads to, as the system opens it.
        const QString named = QDir::fromNativeSeparators(storedPath);
        return climbsUp(named) ? pathFromFolder(Resource_Path, named) : QDir(Resource_Path).filePath(inside);
    }
    if (QFileInfo::exists(storedPath) || Resource_Path.isEmpty())
        return storedPath;
    const QStringList parts = QDir::fromNativeSeparators(storedPath).split(u'/', Qt::SkipEmptyParts);
    const qsizetype resources = parts.lastIndexOf(QStringLiteral("Resources"));
    if (resources < 0 || resources + 1 >= parts.size())
        return storedPath;
    const QStringList inside = parts.mid(resources + 1);
    if (inside.contains(QStringLiteral("..")))
        return storedPath; // never step out of our own folder
    const QString candidate = QDir(Resource_Path).filePath(inside.join(u'/'));
    return QFileInfo::exists(candidate) ? candidate : storedPath;
}

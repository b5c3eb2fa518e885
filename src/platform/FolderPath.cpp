#include "platform/FolderPath.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Above the root there is only the root.
QString keptWithinRoot(QString clean)
{
    while (clean.startsWith(QLatin1String("/..")) && (clean.size() == 3 || clean.at(3) == QLatin1Char('/')))
        clean.remove(0, 3);
    return clean.isEmpty() ? QStringLiteral("/") : clean;
}

// The folder the file lies in, with every link and ".." on the way resolved by the system; the
// file's own name stays, so a file that is a link is still read through it.
QString resolvedAsSystem(const QString& joined)
{
    const QFileInfo file(joined);
    const QString name = file.fileName();
    if (!name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")) {
        if (const QString parent = QFileInfo(file.path()).canonicalFilePath(); !parent.isEmpty())
            return parent == QLatin1String("/") ? parent + name : parent + QLatin1Char('/') + name;
    }
    // Where a folder on the way is not there, the path can only be read as written.
    return keptWithinRoot(QDir::cleanPath(joined));
}

} // namespace

QString pathFromFolder(const QString& folder, const QString& path)
{
    if (QDir::isAbsolutePath(path))
        return path;
    const QFileInfo given(folder);
    const QString real = given.canonicalFilePath();
    return resolvedAsSystem((real.isEmpty() ? given.absoluteFilePath() : real) + QLatin1Char('/') + path);
}

bool climbsUp(const QString& path)
{
    return path.split(QLatin1Char('/')).contains(QLatin1String(".."));
}

QString systemPath(const QString& absolutePath)
{
    return climbsUp(absolutePath) ? resolvedAsSystem(absolutePath) : QDir::cleanPath(absolutePath);
}

QString fileInFolder(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

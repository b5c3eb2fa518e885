#include "platform/ResourceFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

QString userResourceFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/Resources");
}

QString shippedResourceFolder()
{
    const QString besideProgram =
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../share/galavite/resources"));
    for (const QString& candidate : {besideProgram, QStringLiteral(GALAVITE_INSTALLED_RESOURCES),
                                     QStringLiteral(GALAVITE_SOURCE_RESOURCES)}) {
        if (QFileInfo(candidate).isDir())
            return QDir(candidate).absolutePath();
    }
    return {};
}

bool holdsShippedResources(const QString& folder)
{
    const QDir dir(folder);
    return QFileInfo(dir.filePath(QStringLiteral("Title.txt"))).isFile()
        && QFileInfo(dir.filePath(QStringLiteral("Message.txt"))).isFile()
        && !QDir(dir.filePath(QStringLiteral("Background"))).isEmpty(QDir::Files | QDir::NoDotAndDotDot);
}

bool seedResourceFolder(const QString& shippedFolder, const QString& userFolder)
{
    if (!QDir().mkpath(userFolder))
        return false;
    if (shippedFolder.isEmpty())
        return true;
    const QDir source(shippedFolder);
    const QDir target(userFolder);
    QDirIterator it(shippedFolder, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString relative = source.relativeFilePath(from);
        // The generators that drew the shipped pictures are sources, not resources, and
        // Python's compiled caches belong to whoever ran the script.
        if (relative.startsWith(QLatin1String("generators/")) || relative.contains(QLatin1String("__pycache__"))
            || relative.endsWith(QLatin1String(".pyc")))
            continue;
        const QString to = target.filePath(relative);
        if (QFileInfo::exists(to))
            continue;
        QDir().mkpath(QFileInfo(to).absolutePath());
        // Shipped files may be read-only; the user's copies must stay editable.
        if (QFile::copy(from, to))
            QFile(to).setPermissions(QFile(to).permissions() | QFile::WriteOwner | QFile::ReadOwner);
    }
    return true;
}

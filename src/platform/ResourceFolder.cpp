#include "platform/ResourceFolder.h"

#include "platform/CheckedWrite.h"

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

bool seedResourceFolder(const QString& shippedFolder, const QString& userFolder, QString* failure)
{
    if (!makeFolderChecked(userFolder, failure))
        return false;
    if (shippedFolder.isEmpty())
        return true;
    const QDir source(shippedFolder);
    const QDir target(userFolder);
    // Thousands of small files: a full disk still fails the write itself.
    CheckedWriteOptions quick;
    quick.durable = false;
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
        QFile shipped(from);
        if (!shipped.open(QIODevice::ReadOnly))
            continue;
        // The copy is made anew, so it stays editable even where the shipped file is read-only.
        QString reason;
        if (!makeFolderChecked(QFileInfo(to).absolutePath(), &reason) || !copyIntoFileChecked(shipped, to, &reason, quick)) {
            // The first failure (a full disk) would repeat for every file left.
            if (failure)
                *failure = reason;
            return true;
        }
    }
    return true;
}

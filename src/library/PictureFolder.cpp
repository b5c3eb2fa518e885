#include "library/PictureFolder.h"

#include <QDir>
#include <QFileInfo>

QList<MyImageObject> pictureItemsInFolder(const QString& folder)
{
    QList<MyImageObject> items;
    const QDir dir(folder);
    if (!QFileInfo(folder).isDir())
        return items;
    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    items.reserve(files.size());
    for (const QFileInfo& file : files) {
        // The listing also takes a link to a FIFO or a device for a file.
        if (!file.isFile())
            continue;
        const QString suffix = file.suffix().toLower();
        if (suffix != QLatin1String("png") && suffix != QLatin1String("jpg"))
            continue;
        MyImageObject item { file.absoluteFilePath(), file.fileName(), file.fileName() };
        items.append(item);
    }
    return items;
}

QStringList subfolderNames(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return {};
    QStringList names;
    // The listing also takes a link to a FIFO or a device for a folder.
    for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        if (entry.isDir())
            names.append(entry.fileName());
    return names;
}


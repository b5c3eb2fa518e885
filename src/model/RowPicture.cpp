#include "model/RowPicture.h"

#include "model/PictureFile.h"
#include "model/StoredPaths.h"
#include "platform/FolderPath.h"

#include <QDir>
#include <QFileInfo>

RowPictureLookup findRowPicture(const QString& value, const QString& besideFolder)
{
    const QString named = PictureFile::standardizedPath(value.trimmed());
    if (named.isEmpty())
        return {};
    if (QDir::isAbsolutePath(named)) {
        const QString file = Resolve_Stored_Picture_Path(named);
        return { file, QFileInfo(file).isFile() };
    }
    QString beside;
    if (!besideFolder.isEmpty()) {
        // A value may reach anywhere a full path could; it only starts from the source's folder.
        beside = pathFromFolder(besideFolder, named);
        if (QFileInfo(beside).isFile())
            return { beside, true };
    }
    const QString inResources = Resolve_Stored_Picture_Path(named);
    if (!inResources.isEmpty() && QFileInfo(inResources).isFile())
        return { inResources, true };
    if (!beside.isEmpty())
        return { beside, false };
    return { inResources.isEmpty() ? named : inResources, false };
}

QString workbookFolder(const QString& workbookPath)
{
    const QString path = workbookPath.trimmed();
    return path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
}

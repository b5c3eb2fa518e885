#include "platform/FileDialogFolders.h"

#include "platform/FolderPath.h"
#include "platform/InterfaceSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>

namespace {

struct Kind
{
    QString settingsKey; // one per set of extensions, whatever the filter's wording
    bool pictures = false;
};

Kind kindOf(const QString& filter)
{
    if (filter.isEmpty())
        return { QStringLiteral("FileDialogs/folders") };
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9_]+)"));
    QStringList extensions;
    for (const QRegularExpressionMatch& match : pattern.globalMatch(filter))
        extensions.append(match.captured(1).toLower());
    extensions.sort();
    extensions.removeDuplicates();
    const QList<QByteArray> readable = QImageReader::supportedImageFormats();
    const bool pictures = !extensions.isEmpty()
        && std::all_of(extensions.begin(), extensions.end(),
            [&](const QString& extension) { return readable.contains(extension.toLatin1()); });
    const QString files = extensions.isEmpty() ? QStringLiteral("any") : extensions.join(u'-');
    return { QStringLiteral("FileDialogs/files-") + files, pictures };
}

QString defaultFolder(const Kind& kind)
{
    const QString folder = QStandardPaths::writableLocation(
        kind.pictures ? QStandardPaths::PicturesLocation : QStandardPaths::DocumentsLocation);
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

} // namespace

QString FileDialogFolders::startAt(const QString& filter, const QString& requested)
{
    if (QDir::isAbsolutePath(requested))
        return requested;
    const Kind kind = kindOf(filter);
    QString folder = InterfaceSettings::value(kind.settingsKey).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = defaultFolder(kind);
    return requested.isEmpty() ? folder : fileInFolder(folder, requested);
}

void FileDialogFolders::remember(const QString& filter, const QString& chosen)
{
    if (chosen.isEmpty())
        return;
    const QString folder = filter.isEmpty() ? chosen : QFileInfo(chosen).absolutePath();
    InterfaceSettings::setValue(kindOf(filter).settingsKey, QDir::cleanPath(folder));
}

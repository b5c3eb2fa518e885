#include "common/FileHelpers.h"

#include "common/Globals.h"
#include "common/Logging.h"
#include "common/MessageBoxes.h"
#include "platform/DesktopOpener.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <exception>

QStringList fileBaseNamesIn(const QString& folder)
{
    QStringList names;
    if (!QFileInfo(folder).isDir())
        return names;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& entry : entries)
        // A leading dot starts a hidden file's name, not an extension.
        names.append(entry.completeBaseName().isEmpty() ? entry.fileName() : entry.completeBaseName());
    return names;
}

void Delete_File(const QString& path)
{
    try {
        const QFileInfo info(path);
        if (path.isEmpty() || (!info.exists() && !info.isSymLink()))
            return;
        if (info.isDir() && !info.isSymLink())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

void Check_Path_And_Create_Files()
{
    try {
        const QString folders[] = {
            Data_Folder_Path,
            Resource_File(QStringLiteral("Background")),
            Resource_File(QStringLiteral("Fill_Style_Image")),
            Resource_File(QStringLiteral("LibraryImage")),
            Resource_File(QStringLiteral("Templates")),
            Resource_File(QStringLiteral("Templates/User")),
        };
        for (const QString& folder : folders) {
            // mkpath creates with 0777 less the umask and leaves existing folders as they are.
            if (!folder.isEmpty() && !QFileInfo(folder).isDir() && !QDir().mkpath(folder))
                Show_NSLog_Message(QStringLiteral("Cannot create the folder ") + folder);
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

void Open_Help_File()
{
    const QString helpFile = Resource_File(QStringLiteral("Help.pdf"));
    if (!QFileInfo::exists(helpFile))
        Show_MessageBox(QStringLiteral("Help file does not exist!"));
    else if (!openWithDesktop(QUrl::fromLocalFile(helpFile)))
        Show_MessageBox(
            QStringLiteral("No program to show PDF files is installed. The user guide is here:\n") + helpFile);
}

bool isOneFileName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") || name.contains(QLatin1Char('/')))
        return false;
    return std::none_of(name.cbegin(), name.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

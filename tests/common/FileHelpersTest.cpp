#include "common/FileHelpers.h"

#include "common/Globals.h"
#include "platform/DesktopOpener.h"
#include "support/ScriptedDialogService.h"
#include "support/TempResources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <utility>

namespace {

const QStringList workFolders = {QStringLiteral("DataSet"),      QStringLiteral("Background"),
                                 QStringLiteral("Fill_Style_Image"), QStringLiteral("LibraryImage"),
                                 QStringLiteral("Templates"),    QStringLiteral("Templates/User")};

} // namespace

TEST(CheckPathAndCreateFiles, CreatesEveryWorkFolderOnceWithTheUmaskApplied)
{
    TempResources resources;
    const mode_t oldMask = umask(022);
    Check_Path_And_Create_Files();
    umask(oldMask);

    for (const QString& folder : workFolders) {
        const QFileInfo info(Resource_File(folder));
        ASSERT_TRUE(info.isDir()) << folder.toStdString();
        EXPECT_FALSE(info.permissions() & QFileDevice::WriteOther) << "world-writable: " << folder.toStdString();
    }

    // A second run leaves existing folders, and what is in them, alone.
    QFile marker(Resource_File(QStringLiteral("Templates/User/keep.txt")));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    QFile::setPermissions(Resource_File(QStringLiteral("Background")), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    Check_Path_And_Create_Files();
    EXPECT_TRUE(QFileInfo::exists(marker.fileName()));
    EXPECT_EQ(QFileInfo(Resource_File(QStringLiteral("Background"))).permissions() & QFileDevice::ReadGroup, 0);
}

TEST(CheckPathAndCreateFiles, AFailedFolderDoesNotStopTheOthers)
{
    TempResources resources;
    // A file where the series folder should be: that folder fails, the rest are made.
    QFile blocker(Data_Folder_Path);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Check_Path_And_Create_Files();
    EXPECT_FALSE(QFileInfo(Data_Folder_Path).isDir());
    EXPECT_TRUE(QFileInfo(Resource_File(QStringLiteral("Templates/User"))).isDir());
}

TEST(DeleteFile, RemovesFilesAndWholeFoldersAndIgnoresMissingPaths)
{
    TempResources resources;
    QDir().mkpath(Resource_File(QStringLiteral("tree/inner")));
    QFile file(Resource_File(QStringLiteral("tree/inner/a.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    Delete_File(file.fileName());
    EXPECT_FALSE(QFileInfo::exists(file.fileName()));
    Delete_File(Resource_File(QStringLiteral("tree")));
    EXPECT_FALSE(QFileInfo::exists(Resource_File(QStringLiteral("tree"))));
    Delete_File(Resource_File(QStringLiteral("never-there")));
    Delete_File(QString());
}

TEST(OpenHelpFile, OpensTheHelpFileWithTheDesktop)
{
    TempResources resources;
    QFile help(Resource_File(QStringLiteral("Help.pdf")));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();

    QUrl opened;
    auto previous = setDesktopOpener([&opened](const QUrl& url) {
        opened = url;
        return true;
    });
    Open_Help_File();
    setDesktopOpener(previous);
    EXPECT_EQ(opened, QUrl::fromLocalFile(help.fileName()));
}

TEST(OpenHelpFile, SaysWhereTheGuideIsWhenNothingCanShowIt)
{
    ScriptedDialogs dialogs;
    TempResources resources;
    QFile help(Resource_File(QStringLiteral("Help.pdf")));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    // Messages are shown once a main window exists; any address stands for it here.
    int mainWindow = 0;
    SKTWindowController* const previousMain
        = std::exchange(Main_App_wnd, reinterpret_cast<SKTWindowController*>(&mainWindow));
    auto previous = setDesktopOpener([](const QUrl&) { return false; });
    Open_Help_File();
    setDesktopOpener(previous);
    Main_App_wnd = previousMain;
    ASSERT_EQ(dialogs->messages().size(), 1u);
    EXPECT_TRUE(dialogs->messages().front().contains(help.fileName()));
    EXPECT_TRUE(dialogs->messages().front().contains(QStringLiteral("PDF")));
}

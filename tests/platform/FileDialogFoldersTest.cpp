#include "platform/FileDialogFolders.h"

#include "support/TempSettings.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString pictures = QStringLiteral("Pictures (*.jpg *.jpeg *.png *.tif)");
const QString designs = QStringLiteral("Design (*.dcard)");

// A home folder of its own with Pictures and Documents folders, and settings of its own.
class FileDialogFoldersTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedHome_ = qgetenv("HOME");
        savedConfig_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        QDir(home.path()).mkpath(QStringLiteral("Pictures"));
        QDir(home.path()).mkpath(QStringLiteral("Documents"));
    }
    void TearDown() override
    {
        qputenv("HOME", savedHome_);
        if (!savedConfig_.isEmpty())
            qputenv("XDG_CONFIG_HOME", savedConfig_);
    }

    QString inHome(const QString& name) const { return QDir(home.path()).filePath(name); }

    QTemporaryDir home;
    TempSettings settings;

private:
    QByteArray savedHome_;
    QByteArray savedConfig_;
};

} // namespace

TEST_F(FileDialogFoldersTest, FirstTimePicturesOpenInPicturesAndOtherFilesInDocuments)
{
    EXPECT_EQ(FileDialogFolders::startAt(pictures, QString()), inHome(QStringLiteral("Pictures")));
    EXPECT_EQ(FileDialogFolders::startAt(designs, QString()), inHome(QStringLiteral("Documents")));
    EXPECT_EQ(FileDialogFolders::startAt(QString(), QString()), inHome(QStringLiteral("Documents")));
    // Never the working folder: a bare file name goes into the start folder.
    EXPECT_EQ(FileDialogFolders::startAt(designs, QStringLiteral("party.dcard")),
        inHome(QStringLiteral("Documents/party.dcard")));

    // Without those folders, the home folder.
    QDir(inHome(QStringLiteral("Pictures"))).removeRecursively();
    EXPECT_EQ(FileDialogFolders::startAt(pictures, QString()), home.path());
}

TEST_F(FileDialogFoldersTest, EachKindOfFileStartsWhereItWasLastChosen)
{
    QTemporaryDir photos;
    QTemporaryDir work;
    FileDialogFolders::remember(pictures, QDir(photos.path()).filePath(QStringLiteral("beach.png")));
    FileDialogFolders::remember(designs, QDir(work.path()).filePath(QStringLiteral("party.dcard")));
    FileDialogFolders::remember(designs, QString()); // cancelled

    // The same extensions in other words and order are the same kind of file.
    EXPECT_EQ(
        FileDialogFolders::startAt(QStringLiteral("Images (*.PNG *.tif *.jpeg *.jpg)"), QString()), photos.path());
    EXPECT_EQ(FileDialogFolders::startAt(designs, QString()), work.path());
    EXPECT_EQ(FileDialogFolders::startAt(QStringLiteral("Workbook (*.xlsx)"), QString()),
        inHome(QStringLiteral("Documents")));
    // A caller's own folder wins.
    EXPECT_EQ(FileDialogFolders::startAt(designs, QStringLiteral("/srv/designs")), QStringLiteral("/srv/designs"));

    // Folder choosers remember the folder itself.
    FileDialogFolders::remember(QString(), photos.path());
    EXPECT_EQ(FileDialogFolders::startAt(QString(), QString()), photos.path());
}

TEST_F(FileDialogFoldersTest, AFolderThatIsGoneFallsBackToTheFirstTimeFolder)
{
    QString gone;
    {
        QTemporaryDir photos;
        gone = photos.path();
        FileDialogFolders::remember(pictures, QDir(gone).filePath(QStringLiteral("beach.png")));
        EXPECT_EQ(FileDialogFolders::startAt(pictures, QString()), gone);
    }
    EXPECT_EQ(FileDialogFolders::startAt(pictures, QString()), inHome(QStringLiteral("Pictures")));
}

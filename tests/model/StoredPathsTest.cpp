#include "model/StoredPaths.h"

#include "model/PictureFile.h"
#include "model/RowPicture.h"
#include "support/HostilePictures.h"
#include "support/TempResources.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

TEST(StoredPaths, PathsFromAnotherInstallationAreFoundUnderOurResources)
{
    TempResources resources;
    QDir(resources.path()).mkpath(QStringLiteral("Background"));
    QFile file(resources.path() + QStringLiteral("/Background/b1.jpg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    const QString foreign = QStringLiteral("/Applications/Old.app/Contents/Resources/Background/b1.jpg");
    EXPECT_EQ(Resolve_Stored_Picture_Path(foreign), file.fileName());
    // Existing, unrelated or escaping paths are left as they are.
    EXPECT_EQ(Resolve_Stored_Picture_Path(file.fileName()), file.fileName());
    EXPECT_EQ(Resolve_Stored_Picture_Path(QStringLiteral("/elsewhere/b1.jpg")), QStringLiteral("/elsewhere/b1.jpg"));
    const QString missing = QStringLiteral("/Old/Resources/Background/gone.jpg");
    EXPECT_EQ(Resolve_Stored_Picture_Path(missing), missing);
    const QString escaping = QStringLiteral("/Old/Resources/../Background/b1.jpg");
    EXPECT_EQ(Resolve_Stored_Picture_Path(escaping), escaping);
    EXPECT_EQ(Resolve_Stored_Picture_Path(QString()), QString());
}

// A picture named through a link and "..": the file shown is the one the system opens, looked
// for beside a workbook, by its full path or in the resources, and its other names share its
// decoded picture.
TEST(StoredPaths, ALinkedPathWithDotDotNamesTheFileTheSystemOpens)
{
    TempResources resources;
    const QDir root(resources.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("a")) && root.mkpath(QStringLiteral("z/sub")));
    const QString shown = root.filePath(QStringLiteral("z/via.png"));
    ASSERT_TRUE(HostilePictures::writeFile(root.filePath(QStringLiteral("a/via.png")),
        HostilePictures::encoded(HostilePictures::detailed(10, 10), "PNG")));
    ASSERT_TRUE(HostilePictures::writeFile(shown, HostilePictures::encoded(HostilePictures::detailed(20, 10), "PNG")));
    ASSERT_TRUE(QFile::link(root.filePath(QStringLiteral("z/sub")), root.filePath(QStringLiteral("a/plink"))));
    ASSERT_TRUE(QFile::link(root.filePath(QStringLiteral("z/sub")), root.filePath(QStringLiteral("rlink"))));
    ASSERT_TRUE(QFile::link(shown, root.filePath(QStringLiteral("a/alias.png"))));
    const QString real = QFileInfo(shown).canonicalFilePath();

    const RowPictureLookup beside
        = findRowPicture(QStringLiteral("plink/../via.png"), root.filePath(QStringLiteral("a")));
    EXPECT_TRUE(beside.found);
    EXPECT_EQ(beside.path, real);
    const QString full = root.filePath(QStringLiteral("a/plink/../via.png"));
    EXPECT_EQ(findRowPicture(full, QString()).path, real);
    EXPECT_EQ(findRowPicture(QStringLiteral("rlink/../via.png"), QString()).path, real);
    EXPECT_EQ(Resolve_Stored_Picture_Path(QStringLiteral("rlink/../via.png")), real);
    // Without a link on the way, the file its text names.
    EXPECT_EQ(findRowPicture(QStringLiteral("./z/../a/via.png"), root.path()).path,
        QFileInfo(root.filePath(QStringLiteral("a/via.png"))).canonicalFilePath());

    const QImage picture = PictureFile::load(full);
    EXPECT_EQ(picture.size(), QSize(20, 10));
    EXPECT_EQ(PictureFile::load(shown).constBits(), picture.constBits());
    EXPECT_EQ(PictureFile::load(root.filePath(QStringLiteral("a/alias.png"))).constBits(), picture.constBits());
    EXPECT_EQ(PictureFile::load(QStringLiteral("rlink/../via.png")).constBits(), picture.constBits());
}

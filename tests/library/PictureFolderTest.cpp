#include "LibraryTestSupport.h"

#include "common/StringHelpers.h"
#include "library/PictureFolder.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

QStringList names(const QList<MyImageObject>& items)
{
    QStringList result;
    for (const MyImageObject& item : items)
        result.append(item.image_Name);
    return result;
}

TEST(PictureFolder, ListsOnlyPngAndJpgByName)
{
    QTemporaryDir dir;
    for (const char* name : { "d.gif", "c.JPG", "b.jpeg", "a.PNG", "notes.txt" })
        writePicture(dir.path(), QString::fromLatin1(name));
    QDir(dir.path()).mkdir(QStringLiteral("inner.png"));
    // A link to a FIFO is neither a picture nor a folder, though the folder listing takes it for both.
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(fifo, dir.filePath(QStringLiteral("f.png"))));
    EXPECT_EQ(subfolderNames(dir.path()), QStringList({ "inner.png" }));
    const QList<MyImageObject> items = pictureItemsInFolder(dir.path());
    EXPECT_EQ(names(items), QStringList({ "a.PNG", "c.JPG" }));
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].path, QDir(dir.path()).filePath(QStringLiteral("a.PNG")));
    EXPECT_EQ(items[0].image_UID, QStringLiteral("a.PNG"));
}

TEST(PictureFolder, MissingFolderOrFileGivesNothing)
{
    QTemporaryDir dir;
    writePicture(dir.path(), QStringLiteral("a.png"));
    EXPECT_TRUE(pictureItemsInFolder(dir.filePath(QStringLiteral("missing"))).isEmpty());
    EXPECT_TRUE(pictureItemsInFolder(dir.filePath(QStringLiteral("a.png"))).isEmpty());
    EXPECT_TRUE(subfolderNames(dir.filePath(QStringLiteral("a.png"))).isEmpty());
}

TEST(PictureFolder, CategoryNamesAreCapitalisedWordByWord)
{
    EXPECT_EQ(capitalisedWords(QStringLiteral("flowers")), QStringLiteral("Flowers"));
    EXPECT_EQ(capitalisedWords(QStringLiteral("FLOWERS")), QStringLiteral("Flowers"));
    EXPECT_EQ(capitalisedWords(QStringLiteral("party HATS and cakes")), QStringLiteral("Party Hats And Cakes"));
}

} // namespace

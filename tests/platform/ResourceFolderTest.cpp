#include "platform/ResourceFolder.h"

#include "support/FullFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(SeedResourceFolder, CopiesMissingFilesAndKeepsTheUsersOwnChanges)
{
    QTemporaryDir shipped;
    QTemporaryDir home;
    writeFile(shipped.filePath(QStringLiteral("Title.txt")), "shipped title");
    writeFile(shipped.filePath(QStringLiteral("Background/a.png")), "png");
    writeFile(shipped.filePath(QStringLiteral("__pycache__/pyth_mail.cpython-311.pyc")), "compiled");
    writeFile(shipped.filePath(QStringLiteral("stale.pyc")), "compiled");
    QFile::setPermissions(shipped.filePath(QStringLiteral("Title.txt")), QFileDevice::ReadOwner);
    const QString user = home.filePath(QStringLiteral("Resources"));

    ASSERT_TRUE(seedResourceFolder(shipped.path(), user));
    EXPECT_EQ(readFile(user + QStringLiteral("/Background/a.png")), QByteArray("png"));
    EXPECT_TRUE(QFileInfo(user + QStringLiteral("/Title.txt")).isWritable());
    // Python's caches are the runner's, never a resource.
    EXPECT_FALSE(QFileInfo::exists(user + QStringLiteral("/__pycache__")));
    EXPECT_FALSE(QFileInfo::exists(user + QStringLiteral("/stale.pyc")));

    writeFile(user + QStringLiteral("/Title.txt"), "my title");
    ASSERT_TRUE(seedResourceFolder(shipped.path(), user));
    EXPECT_EQ(readFile(user + QStringLiteral("/Title.txt")), QByteArray("my title"));
}

TEST(SeedResourceFolder, AFolderWithNothingToSeedFromIsToldApart)
{
    QTemporaryDir home;
    const QString user = home.filePath(QStringLiteral("Resources"));
    ASSERT_TRUE(seedResourceFolder(QString(), user));
    EXPECT_FALSE(holdsShippedResources(user));
    QDir(user).mkpath(QStringLiteral("Background"));
    writeFile(user + QStringLiteral("/Title.txt"), "title");
    writeFile(user + QStringLiteral("/Message.txt"), "message");
    EXPECT_FALSE(holdsShippedResources(user)); // no background to start a card from

    QTemporaryDir other;
    ASSERT_TRUE(seedResourceFolder(QStringLiteral(GALAVITE_SOURCE_DIR "/resources"), other.path()));
    EXPECT_TRUE(holdsShippedResources(other.path()));
}

TEST(SeedResourceFolder, FailsWhenTheFolderCannotBeMade)
{
    QTemporaryDir home;
    writeFile(home.filePath(QStringLiteral("blocker")), "a file, not a folder");
    EXPECT_FALSE(seedResourceFolder(QString(), home.filePath(QStringLiteral("blocker/Resources"))));
}

TEST(SeedResourceFolder, OnAFullDiskItStopsWithTheSystemsReasonAndLeavesNoPartFile)
{
    QTemporaryDir shipped;
    writeFile(shipped.filePath(QStringLiteral("Title.txt")), "title");
    writeFile(shipped.filePath(QStringLiteral("Background/a.png")), QByteArray(64 * 1024, 'p'));
    writeFile(shipped.filePath(QStringLiteral("Message.txt")), "message");
    FullFolder disk;
    const QString user = disk.filePath(QStringLiteral("Resources"));
    ASSERT_TRUE(QDir().mkpath(user + QStringLiteral("/Background")));
    disk.fill(4096);
    QString failure;
    const bool made = seedResourceFolder(shipped.path(), user, &failure);
    EXPECT_TRUE(made);
    EXPECT_EQ(failure, disk.expectedReason());
    EXPECT_FALSE(QFileInfo::exists(user + QStringLiteral("/Background/a.png")));
    // What was copied is whole, and nothing else is left behind.
    QStringList left;
    QDirIterator files(user, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        left.append(file);
        EXPECT_EQ(readFile(file), readFile(shipped.filePath(QDir(user).relativeFilePath(file)))) << file.toStdString();
    }
    EXPECT_LT(left.size(), 3);
}

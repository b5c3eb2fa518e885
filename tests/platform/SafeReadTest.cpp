#include "platform/SafeRead.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

TEST(SafeRead, ReadsRegularFilesThroughLinksWithinTheCap)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("values.txt"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("0123456789");
    }
    const QString link = dir.filePath(QStringLiteral("link.txt"));
    ASSERT_TRUE(QFile::link(path, link));
    QByteArray bytes;
    EXPECT_TRUE(SafeRead::readRegularFile(link, 10, bytes));
    EXPECT_EQ(bytes, QByteArray("0123456789"));

    QString reason;
    EXPECT_FALSE(SafeRead::readRegularFile(path, 9, bytes, &reason));
    EXPECT_TRUE(bytes.isEmpty());
    // A cap below a megabyte is given in its own unit.
    EXPECT_EQ(reason, QStringLiteral("It is larger than 9 bytes."));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(QByteArray(64 * 1024, 'x'));
    }
    EXPECT_FALSE(SafeRead::readRegularFile(path, 64 * 1024, bytes, &reason));
    EXPECT_EQ(reason, QStringLiteral("It is larger than 64 KB."));
    EXPECT_FALSE(SafeRead::readRegularFile(path, 1024, bytes, &reason));
    EXPECT_EQ(reason, QStringLiteral("It is larger than 1 KB."));
}

TEST(SafeRead, RefusesFifosDevicesAndFoldersWithoutWaiting)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : { fifo, QStringLiteral("/dev/zero"), dir.path(), QString() }) {
        QByteArray bytes;
        QString reason;
        EXPECT_FALSE(SafeRead::readRegularFile(path, 1 << 20, bytes, &reason)) << path.toStdString();
        EXPECT_FALSE(reason.isEmpty());
        QFile file;
        EXPECT_FALSE(SafeRead::openRegularFile(file, path)) << path.toStdString();
        EXPECT_FALSE(file.isOpen());
    }
    // /proc files state no size: the cap must hold while reading, not only before.
    QByteArray bytes;
    EXPECT_FALSE(SafeRead::readRegularFile(QStringLiteral("/proc/self/maps"), 8, bytes));
}

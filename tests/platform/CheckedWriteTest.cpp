#include "platform/CheckedWrite.h"

#include "support/FullFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <sys/types.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

mode_t modeOf(const QString& path)
{
    struct stat info
    {
    };
    ::lstat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

TEST(CheckedWrite, OnAFullDiskEveryWriteFailsWithTheReasonAndKeepsTheOldFile)
{
    FullFolder folder;
    if (!folder.isTmpfs())
        std::printf("No tmpfs could be mounted (not root?): a file-size limit stands in for the full disk.\n");
    const QString path = folder.filePath(QStringLiteral("design.dcard"));
    const QByteArray old(3000, 'o');
    put(path, old);
    folder.fill(4096);
    // Under Qt's buffer, in one piece past the room, and streamed in small pieces.
    const QByteArray small(10 * 1024, 'n');
    const QByteArray large(200 * 1024, 'n');
    const auto streamed = [](QIODevice& device) {
        for (int i = 0; i < 20000; ++i)
            if (device.write("<row>value</row>\n") < 0)
                return false;
        return true;
    };
    for (int attempt = 0; attempt < 3; ++attempt) {
        QString reason;
        const bool written = attempt == 0 ? writeFileChecked(path, small, &reason)
            : attempt == 1                ? writeFileChecked(path, large, &reason)
                                          : writeFileChecked(path, streamed, &reason);
        EXPECT_FALSE(written) << attempt;
        EXPECT_EQ(reason, folder.expectedReason()) << attempt;
        EXPECT_EQ(readAll(path), old) << attempt;
    }
    QStringList left = entriesOf(folder.path());
    left.removeAll(QStringLiteral("filler"));
    EXPECT_EQ(left, QStringList { QStringLiteral("design.dcard") }) << "no temporary file stays behind";
}

TEST(CheckedWrite, ReplacesWholeKeepingPermissionsAndFollowingLinks)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("real.txt"));
    const QString link = dir.filePath(QStringLiteral("link.txt"));
    put(target, "old contents that are longer");
    ::chmod(QFile::encodeName(target).constData(), 0640);
    ASSERT_TRUE(QFile::link(target, link));

    QString reason;
    ASSERT_TRUE(writeFileChecked(link, QByteArray("new"), &reason)) << reason.toStdString();
    EXPECT_EQ(readAll(target), QByteArray("new"));
    EXPECT_TRUE(QFileInfo(link).isSymLink()) << "the user's link stays a link";
    EXPECT_EQ(modeOf(target), mode_t(0640));

    // A fresh file gets the usual permissions less the umask, not a temporary file's 0600.
    const QString fresh = dir.filePath(QStringLiteral("fresh.txt"));
    ASSERT_TRUE(writeFileChecked(fresh, QByteArray("x")));
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(modeOf(fresh), mode_t(0666 & ~mask));
}

TEST(CheckedWrite, PrivateFilesReplaceALinkAndAreOwnerOnly)
{
    QTemporaryDir dir;
    const QString elsewhere = dir.filePath(QStringLiteral("elsewhere.txt"));
    const QString settings = dir.filePath(QStringLiteral("settings.plist"));
    put(elsewhere, "not yours");
    ::chmod(QFile::encodeName(elsewhere).constData(), 0644);
    ASSERT_TRUE(QFile::link(elsewhere, settings));

    ASSERT_TRUE(writeFileChecked(settings, QByteArray("secret"), nullptr, { .ownerOnly = true, .replaceLink = true }));
    EXPECT_FALSE(QFileInfo(settings).isSymLink());
    EXPECT_EQ(readAll(settings), QByteArray("secret"));
    EXPECT_EQ(modeOf(settings), mode_t(0600));
    EXPECT_EQ(readAll(elsewhere), QByteArray("not yours"));
    EXPECT_EQ(modeOf(elsewhere), mode_t(0644));
}

TEST(CheckedWrite, RefusesWhatIsNoRegularFileAndReportsAMissingFolder)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QString reason;
    EXPECT_FALSE(writeFileChecked(fifo, QByteArray("x"), &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(writeFileChecked(dir.path(), QByteArray("x"), &reason));

    EXPECT_FALSE(writeFileChecked(dir.filePath(QStringLiteral("no/such/file")), QByteArray("x"), &reason));
    EXPECT_EQ(reason, qt_error_string(ENOENT));
}

TEST(CheckedWrite, AReadOnlyFilesystemIsReportedAsSuch)
{
    QTemporaryDir dir;
    const QByteArray native = QFile::encodeName(dir.path());
    if (::geteuid() != 0 || ::mount("tmpfs", native.constData(), "tmpfs", MS_RDONLY, "size=64k") != 0)
        GTEST_SKIP() << "Mounting a read-only filesystem needs root.";
    QString reason;
    EXPECT_FALSE(writeFileChecked(dir.filePath(QStringLiteral("a.png")), QByteArray("x"), &reason));
    ::umount2(native.constData(), MNT_DETACH);
    EXPECT_EQ(reason, QStringLiteral("Read-only file system"));
}

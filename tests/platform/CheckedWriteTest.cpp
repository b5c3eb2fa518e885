#include "platform/CheckedWrite.h"
#include "platform/OwnTemporaryFile.h"

#include "support/FullFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <ctime>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#include <utime.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Written plainly: a checked write would have this program look in the folder already.
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

TEST(CheckedWrite, AReadOnlyFileIsRefusedWithTheSystemsWordsInEveryWriter)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("design.dcard"));
    const QString settings = dir.filePath(QStringLiteral("settings.plist"));
    for (const QString& path : { target, settings }) {
        put(path, "kept");
        ::chmod(QFile::encodeName(path).constData(), 0444);
    }
    QString reason;
    EXPECT_FALSE(writeFileChecked(target, QByteArray("new"), &reason));
    EXPECT_EQ(reason, QStringLiteral("Permission denied"));
    QFile source(target);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    reason.clear();
    EXPECT_FALSE(copyIntoFileChecked(source, target, &reason));
    EXPECT_EQ(reason, QStringLiteral("Permission denied"));
    reason.clear();
    EXPECT_FALSE(writeFileChecked(settings, QByteArray("new"), &reason, { .ownerOnly = true, .replaceLink = true }));
    EXPECT_EQ(reason, QStringLiteral("Permission denied"));
    for (const QString& path : { target, settings }) {
        EXPECT_EQ(readAll(path), QByteArray("kept"));
        EXPECT_EQ(modeOf(path), mode_t(0444));
    }
    EXPECT_EQ(
        entriesOf(dir.path()), (QStringList { QStringLiteral("design.dcard"), QStringLiteral("settings.plist") }));

    // Writable again, it is replaced as before.
    ::chmod(QFile::encodeName(target).constData(), 0644);
    EXPECT_TRUE(writeFileChecked(target, QByteArray("new"), &reason)) << reason.toStdString();
}

namespace {

QStringList ownTemporariesIn(const QString& folder)
{
    QStringList own;
    for (const QString& name : entriesOf(folder))
        if (isOwnTemporaryName(name))
            own << name;
    return own;
}

// As if the file had been left alone for two minutes.
void age(const QString& path)
{
    const time_t past = std::time(nullptr) - 120;
    const utimbuf times { past, past };
    ASSERT_EQ(::utime(QFile::encodeName(path).constData(), &times), 0);
}

// Starts a program and waits for its first line, which tells whether it got where it should.
// No time limit: a loaded machine may take long to start it; CTest ends a hang.
bool startedSaying(QProcess& process, const QString& program, const QStringList& arguments, const QByteArray& line)
{
    process.start(program, arguments);
    while (!process.canReadLine() && process.state() != QProcess::NotRunning)
        process.waitForReadyRead(-1);
    return process.readLine() == line;
}

// A program in the middle of a checked write of path, stalled there until it is killed.
class StalledWriter
{
public:
    explicit StalledWriter(const QString& path)
    {
        writing_ = startedSaying(process_, QStringLiteral(STALLED_WRITER), { path }, "writing\n");
    }
    ~StalledWriter() { kill(); }

    bool isWriting() const { return writing_; }
    void kill()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(process_.processId()), SIGKILL);
        process_.waitForFinished(-1);
    }

private:
    QProcess process_;
    bool writing_ = false;
};

} // namespace

TEST(OwnTemporaryFiles, AWriterKilledMidWriteLeavesALeftoverThatTheNextWriteThereRemoves)
{
    QTemporaryDir dir;
    const QString design = dir.filePath(QStringLiteral("design.dcard"));
    put(design, "old design");
    const QString userFile = dir.filePath(QStringLiteral(".galavite-user-notes"));
    put(userFile, "mine");
    age(userFile);

    StalledWriter killed(design);
    ASSERT_TRUE(killed.isWriting());
    killed.kill();
    const QStringList leftovers = ownTemporariesIn(dir.path());
    ASSERT_EQ(leftovers.size(), 1) << entriesOf(dir.path()).join(u' ').toStdString();
    EXPECT_EQ(readAll(design), QByteArray("old design"));
    // Short whatever the design's name: a fixed prefix and a random part.
    EXPECT_LE(leftovers.constFirst().size(), 30);

    // A leftover younger than a minute may still be written: it stays.
    removeStaleTemporaries(dir.path());
    EXPECT_EQ(ownTemporariesIn(dir.path()), leftovers);

    // One older than a minute held by a writer that still runs stays too.
    StalledWriter running(dir.filePath(QStringLiteral("other.dcard")));
    ASSERT_TRUE(running.isWriting());
    const QStringList both = ownTemporariesIn(dir.path());
    ASSERT_EQ(both.size(), 2);
    for (const QString& name : both)
        age(dir.filePath(name));
    removeStaleTemporaries(dir.path());
    EXPECT_EQ(ownTemporariesIn(dir.path()).size(), 1) << "only the dead writer's file goes";

    // Once that writer is killed too, the next write in the folder removes its leftover, and
    // nothing that is not the program's own.
    running.kill();
    for (const QString& name : ownTemporariesIn(dir.path()))
        age(dir.filePath(name));
    ASSERT_TRUE(writeFileChecked(design, QByteArray("new design")));
    EXPECT_EQ(entriesOf(dir.path()),
        (QStringList { QStringLiteral(".galavite-user-notes"), QStringLiteral("design.dcard") }));
    EXPECT_EQ(readAll(design), QByteArray("new design"));
    EXPECT_EQ(readAll(userFile), QByteArray("mine"));
}

TEST(OwnTemporaryFiles, NamesUpToTheSystemsLimitAreWrittenAndReplaced)
{
    QTemporaryDir dir;
    for (const int bytes : { 242, 250, 251, 255 }) {
        const QString name = QString(bytes - 4, u'n') + QStringLiteral(".png");
        const QString path = dir.filePath(name);
        ASSERT_EQ(QFile::encodeName(name).size(), bytes);
        QString reason;
        ASSERT_TRUE(writeFileChecked(path, QByteArray("first"), &reason)) << bytes << ": " << reason.toStdString();
        ASSERT_TRUE(writeFileChecked(path, QByteArray("second"), &reason)) << bytes << ": " << reason.toStdString();
        EXPECT_EQ(readAll(path), QByteArray("second"));
    }
    EXPECT_TRUE(ownTemporariesIn(dir.path()).isEmpty());
}

namespace {

// A leftover of this program made in place: a temporary file left as a killed writer leaves
// it (owner-only, unlinked by nobody), two minutes old.
QString leftoverIn(const QString& folder, const QString& suffix = {})
{
    OwnTemporaryFile file(folder, suffix);
    EXPECT_TRUE(file.isOpen()) << file.error().toStdString();
    const QString path = file.path();
    file.close(nullptr);
    EXPECT_TRUE(file.moveTo(path, nullptr)); // kept by its destructor
    ::chmod(QFile::encodeName(path).constData(), 0600);
    age(path);
    return path;
}

// Another program that opens a file for reading, without any lock, and keeps it open until
// it is let go.
class OpenHolder
{
public:
    explicit OpenHolder(const QString& path)
    {
        holding_ = startedSaying(process_, QStringLiteral("/bin/sh"),
            { QStringLiteral("-c"), QStringLiteral("exec 3<\"$1\" && echo open && read line"), QStringLiteral("sh"),
                path },
            "open\n");
    }
    ~OpenHolder() { letGo(); }

    bool isHolding() const { return holding_; }
    void letGo()
    {
        process_.closeWriteChannel();
        process_.waitForFinished(-1);
    }

private:
    QProcess process_;
    bool holding_ = false;
};

} // namespace

TEST(OwnTemporaryFiles, TheSweepRemovesOnlyTheProgramsOwnLeftovers)
{
    QTemporaryDir dir;
    // The person's own hidden files, of the length and alphabet of a random part.
    const QStringList personal { QStringLiteral(".galavite-customerlist.csv"),
        QStringLiteral(".galavite-mynotes2024a.txt"), QStringLiteral(".galavite-0a1b2c3d4e5f") };
    for (const QString& name : personal) {
        put(dir.filePath(name), "mine");
        ::chmod(QFile::encodeName(dir.filePath(name)).constData(), 0600);
        age(dir.filePath(name));
    }
    // A leftover of a writer killed mid-write.
    StalledWriter killed(dir.filePath(QStringLiteral("design.dcard")));
    ASSERT_TRUE(killed.isWriting());
    killed.kill();
    const QStringList killedLeftovers = ownTemporariesIn(dir.path());
    ASSERT_EQ(killedLeftovers.size(), 1);
    const QString killedLeftover = dir.filePath(killedLeftovers.constFirst());
    age(killedLeftover);
    // Files of the program's name form that are not leftovers: open in another program,
    // readable by others, a link, and one whose check does not match its name.
    const QString heldOpen = leftoverIn(dir.path());
    const QString readable = leftoverIn(dir.path());
    ::chmod(QFile::encodeName(readable).constData(), 0644);
    const QString link = leftoverIn(dir.path());
    ASSERT_TRUE(QFile::remove(link));
    ASSERT_EQ(::symlink(QFile::encodeName(dir.filePath(personal.constFirst())).constData(),
                  QFile::encodeName(link).constData()),
        0);
    const QString unchecked = leftoverIn(dir.path());
    QString badName = QFileInfo(unchecked).fileName();
    badName[badName.size() - 1] = badName.back() == u'0' ? u'1' : u'0';
    ASSERT_TRUE(QFile::rename(unchecked, dir.filePath(badName)));
    OpenHolder holder(heldOpen);
    ASSERT_TRUE(holder.isHolding());

    const auto listed = [&dir] { return entriesOf(dir.path()).join(u' ').toStdString(); };
    QStringList expected = entriesOf(dir.path());
    removeStaleTemporaries(dir.path());
    expected.removeOne(QFileInfo(killedLeftover).fileName());
    EXPECT_EQ(listed(), expected.join(u' ').toStdString());
    for (const QString& name : personal)
        EXPECT_EQ(readAll(dir.filePath(name)), QByteArray("mine")) << name.toStdString();

    // Once the other program lets it go, a file of the program's own form and mode goes too.
    holder.letGo();
    removeStaleTemporaries(dir.path());
    expected.removeOne(QFileInfo(heldOpen).fileName());
    EXPECT_EQ(listed(), expected.join(u' ').toStdString());
}

TEST(OwnTemporaryFiles, ALeftoverOfAnotherUserIsKept)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "Only root can give a file to another user.";
    QTemporaryDir dir;
    const QString theirs = leftoverIn(dir.path());
    const QString ours = leftoverIn(dir.path());
    ASSERT_EQ(::chown(QFile::encodeName(theirs).constData(), 65534, 65534), 0);
    ::chmod(QFile::encodeName(dir.path()).constData(), 0777); // shared, without the sticky bit
    removeStaleTemporaries(dir.path());
    EXPECT_TRUE(QFileInfo::exists(theirs));
    EXPECT_FALSE(QFileInfo::exists(ours));
}

TEST(OwnTemporaryFiles, OnlyTheProgramsOwnNamesAreRecognised)
{
    QTemporaryDir dir;
    for (const QString& suffix : { QString(), QStringLiteral(".pdf") }) {
        const OwnTemporaryFile file(dir.path(), suffix);
        const QString name = QFileInfo(file.path()).fileName();
        ASSERT_TRUE(isOwnTemporaryName(name)) << name.toStdString();
        const qsizetype check = name.size() - suffix.size() - 1;
        QString wrongCheck = name;
        wrongCheck[check] = name.at(check) == u'0' ? u'1' : u'0';
        const QString otherRandom = QString(name).replace(10, 1, name.at(10) == u'a' ? u'b' : u'a');
        for (const QString& other : { wrongCheck, otherRandom, name.toUpper(), name.mid(1), name + QStringLiteral("x"),
                 name.left(name.size() - suffix.size()) + QStringLiteral(".png") })
            EXPECT_FALSE(isOwnTemporaryName(other)) << other.toStdString();
    }
    for (const char* name : { ".galavite-customerlist.csv", ".galavite-mynotes2024a.txt", ".galavite-0a1b2c3d4e5f",
             "design.dcard" })
        EXPECT_FALSE(isOwnTemporaryName(QString::fromLatin1(name))) << name;
}

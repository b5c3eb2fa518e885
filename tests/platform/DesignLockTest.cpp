// Several programs opening and closing one design, each told who else has it open.
#include "platform/DesignLock.h"

#include "platform/SafeRead.h"
#include "support/HostilePictures.h"
#include "support/LockEntries.h"
#include "support/Patience.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// Another program at the design, as tests/platform/lockholder describes it.
class OtherProgram
{
public:
    explicit OtherProgram(const QString& design)
    {
        process_.start(QStringLiteral(DESIGN_LOCK_HOLDER), { design });
        if (process_.waitForStarted(patience::generousMs))
            pid_ = process_.processId();
    }
    ~OtherProgram() { quit(); }

    qint64 pid() const { return pid_; }
    void ask(const char* line)
    {
        process_.write(line);
        process_.waitForBytesWritten(patience::generousMs);
    }
    // What it said to the last line asked, or how it ended instead.
    QByteArray answer()
    {
        while (!process_.canReadLine() && process_.state() != QProcess::NotRunning)
            process_.waitForReadyRead(patience::generousMs);
        return process_.canReadLine() ? process_.readLine().trimmed() : QByteArray("ended");
    }
    QByteArray open()
    {
        ask("open\n");
        return answer();
    }
    // Ends at the end of its input, as a program quits, closing the design.
    void quit()
    {
        process_.closeWriteChannel();
        patience::finished(process_);
    }
    void kill()
    {
        process_.kill();
        patience::finished(process_);
    }
    // What another program is told while this one has the design open.
    QByteArray seenAs() const
    {
        return "open in " + QSysInfo::machineHostName().toUtf8() + ' ' + QByteArray::number(pid_);
    }
    bool started() const { return pid_ > 0; }

private:
    QProcess process_;
    qint64 pid_ = 0;
};

} // namespace

// A opens the design, B opens it and is told of A; A quits; C opens it and is told of B, and
// an entry left by a killed program names nobody.
TEST(DesignLock, EachProgramOpeningADesignIsToldOfAnotherThatStillHasItOpen)
{
    QTemporaryDir dir;
    const QString design = dir.filePath(QStringLiteral("club.dcard"));
    std::vector<std::unique_ptr<OtherProgram>> programs;
    for (int i = 0; i < 4; ++i) {
        programs.push_back(std::make_unique<OtherProgram>(design));
        ASSERT_TRUE(programs.back()->started());
    }
    OtherProgram& a = *programs[0];
    OtherProgram& b = *programs[1];
    OtherProgram& c = *programs[2];
    OtherProgram& d = *programs[3];
    EXPECT_EQ(a.open(), "alone");
    EXPECT_EQ(b.open(), a.seenAs());
    a.quit();
    EXPECT_EQ(lockOf(design), lockRecord(b.pid()));
    EXPECT_EQ(c.open(), b.seenAs());
    EXPECT_EQ(lockOf(design), lockRecord(b.pid()) + lockRecord(c.pid()));
    b.kill();
    EXPECT_EQ(d.open(), c.seenAs()) << "a killed program's entry names nobody";
    EXPECT_EQ(lockOf(design), lockRecord(c.pid()) + lockRecord(d.pid()));
    c.ask("close\n");
    EXPECT_EQ(c.answer(), "closed");
    EXPECT_EQ(lockOf(design), lockRecord(d.pid()));
    d.quit();
    EXPECT_FALSE(QFile::exists(DesignLock::lockFileFor(design))) << "the last one out removes the list";

    // Twelve programs opening at once, then closing at once: none is lost from the list, so
    // each is told of one that opened before it, and the list goes with the last.
    programs.clear();
    for (int i = 0; i < 12; ++i) {
        programs.push_back(std::make_unique<OtherProgram>(design));
        ASSERT_TRUE(programs.back()->started());
    }
    for (auto& program : programs)
        program->ask("open\n");
    int alone = 0;
    for (auto& program : programs)
        alone += program->answer() == "alone" ? 1 : 0;
    EXPECT_EQ(alone, 1);
    EXPECT_EQ(lockOf(design).count('\n'), 2 * 12);
    for (auto& program : programs)
        program->ask("close\n");
    for (auto& program : programs)
        EXPECT_EQ(program->answer(), "closed");
    EXPECT_FALSE(QFile::exists(DesignLock::lockFileFor(design)));
}

// Whatever other than a file is in the list's place is replaced, never what a link names; a
// list another program keeps locked, or a folder with files in it, leaves the design open
// unlisted and says why.
TEST(DesignLock, SomethingInTheListsPlaceIsReplacedAndAListThatCannotBeTakenIsSaidSo)
{
    QTemporaryDir dir;
    const QString design = dir.filePath(QStringLiteral("club.dcard"));
    const QString lock = DesignLock::lockFileFor(design);
    const QByteArray native = QFile::encodeName(lock);
    OtherProgram a(design);
    ASSERT_TRUE(a.started());
    const QString victim = dir.filePath(QStringLiteral("victim.txt"));
    ASSERT_TRUE(HostilePictures::writeFile(victim, "kept"));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    ASSERT_LT(size_t(native.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, native.constData(), size_t(native.size()));

    const std::vector<std::pair<const char*, std::function<bool()>>> strays {
        { "FIFO", [&] { return ::mkfifo(native.constData(), 0644) == 0; } },
        { "socket", [&] { return ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0; } },
        { "empty folder", [&] { return QDir().mkdir(lock); } },
        { "link to a file", [&] { return QFile::link(victim, lock); } },
        { "dangling link", [&] { return QFile::link(dir.filePath(QStringLiteral("none")), lock); } },
    };
    for (const auto& [kind, make] : strays) {
        ASSERT_TRUE(make()) << kind;
        EXPECT_EQ(a.open(), "alone") << kind;
        const QFileInfo made(lock);
        EXPECT_TRUE(made.isFile() && !made.isSymLink()) << kind;
        EXPECT_EQ(lockOf(design), lockRecord(a.pid())) << kind;
        a.ask("close\n");
        EXPECT_EQ(a.answer(), "closed");
        EXPECT_FALSE(QFile::exists(lock)) << kind;
    }
    ::close(socket);
    QFile kept(victim);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "kept");

    // Held by another process past a moment, as a list or as an empty folder: the list is
    // left as it was, and taken once that process lets go.
    for (const bool folder : { false, true }) {
        if (folder)
            ASSERT_TRUE(QDir().mkdir(lock));
        else
            ASSERT_TRUE(HostilePictures::writeFile(lock, lockRecord(INT_MAX)));
        HeldLock other(lock);
        if (!other.held())
            GTEST_SKIP() << "no flock program here";
        EXPECT_EQ(a.open(), "unknown: Its lock " + native + " is held by another program.");
        EXPECT_EQ(lockOf(design), folder ? QByteArray() : lockRecord(INT_MAX));
        other.letGo();
        EXPECT_EQ(a.open(), "alone");
        EXPECT_EQ(lockOf(design), lockRecord(a.pid()));
        a.ask("close\n");
        EXPECT_EQ(a.answer(), "closed");
    }

    // A folder holding a file is no lock, and what it holds is not removed.
    ASSERT_TRUE(QDir().mkdir(lock));
    ASSERT_TRUE(HostilePictures::writeFile(lock + QStringLiteral("/notes.txt"), "mine"));
    EXPECT_EQ(a.open(),
        "unknown: Its lock " + native + " is not a regular file and cannot be replaced: Directory not empty.");
    EXPECT_TRUE(QFileInfo(lock + QStringLiteral("/notes.txt")).isFile());
}

// Programs of another computer cannot be looked at: they are named as perhaps ended, after a
// running one of this computer. However many are listed, the list stays within what is read,
// so a program listed after them is still seen by the next.
TEST(DesignLock, ProgramsOfAnotherComputerMayHaveEndedAndEveryProgramListedHereIsSeen)
{
    QTemporaryDir dir;
    const QString design = dir.filePath(QStringLiteral("club.dcard"));
    OtherProgram a(design), b(design);
    ASSERT_TRUE(a.started() && b.started());
    const QByteArray elsewhere = "far-away\n42\n";
    ASSERT_TRUE(HostilePictures::writeFile(DesignLock::lockFileFor(design), elsewhere));
    EXPECT_EQ(a.open(), "may be open in far-away 42");
    EXPECT_EQ(b.open(), a.seenAs());
    EXPECT_EQ(lockOf(design), elsewhere + lockRecord(a.pid()) + lockRecord(b.pid()));
    a.ask("close\n");
    b.ask("close\n");
    EXPECT_EQ(a.answer(), "closed");
    EXPECT_EQ(b.answer(), "closed");
    EXPECT_EQ(lockOf(design), elsewhere) << "another computer's entry stays until that one closes it";

    // A hundred thousand entries of another computer, of seven-digit process ids (the read
    // limit falls within one): the list read is cut at a whole entry, and the oldest make room
    // for those of this computer.
    QByteArray many;
    for (int i = 0; i < 100'000; ++i)
        many += "elsewhere\n" + QByteArray::number(1'000'000 + i) + '\n';
    ASSERT_NE(SafeRead::maxLockBytes % 18, 0);
    ASSERT_TRUE(HostilePictures::writeFile(DesignLock::lockFileFor(design), many));
    EXPECT_EQ(a.open(), "may be open in elsewhere 1000000");
    EXPECT_EQ(b.open(), a.seenAs());
    const QByteArray listed = lockOf(design);
    EXPECT_LE(listed.size(), SafeRead::maxLockBytes);
    EXPECT_TRUE(listed.endsWith(lockRecord(a.pid()) + lockRecord(b.pid())));
    const QList<QByteArray> lines = listed.split('\n');
    for (qsizetype i = 0; i + 5 < lines.size(); i += 2)
        ASSERT_EQ(lines[i + 1].size(), 7) << "a cut entry is not read as another";
    a.quit();
    EXPECT_TRUE(lockOf(design).endsWith(lockRecord(b.pid())));
    EXPECT_FALSE(lockOf(design).contains(lockRecord(a.pid())));
}

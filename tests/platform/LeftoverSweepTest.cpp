#include "platform/OwnTemporaryFile.h"
#include "support/TmpfsFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include <atomic>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

const timespec twoMinutesAgo[2] = { { std::time(nullptr) - 120, 0 }, { std::time(nullptr) - 120, 0 } };

// A leftover as a writer killed mid-write leaves it: owner-only, untouched for two minutes.
bool makeLeftover(int folderFd, const QByteArray& name)
{
    const int fd = ::openat(folderFd, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool made = ::write(fd, "partial", 7) == 7 && ::fchmod(fd, 0600) == 0 && ::futimens(fd, twoMinutesAgo) == 0;
    ::close(fd);
    return made;
}

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Another program at the folder (see sweeper/LeftoverSweeper.cpp), sweeping it or opening
// its files each time it is told to go.
class OtherProgram
{
public:
    OtherProgram(const QString& role, const QString& folder)
    {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(LEFTOVER_SWEEPER), { role, folder });
        ready_ = lineRead() == "ready\n";
    }
    ~OtherProgram()
    {
        process_.closeWriteChannel();
        process_.waitForFinished(-1);
    }

    bool isReady() const { return ready_; }
    void go()
    {
        process_.write("go\n");
        process_.waitForBytesWritten(-1); // now, not when it is next waited for
    }
    // "done", or how it ended instead.
    std::string outcome()
    {
        if (lineRead() == "done\n")
            return "done";
        process_.waitForFinished(-1);
        return process_.exitStatus() == QProcess::CrashExit ? "ended by signal " + std::to_string(process_.exitCode())
                                                            : "ended with " + std::to_string(process_.exitCode());
    }

private:
    // No time limit: a loaded machine may take long; CTest ends a hang.
    QByteArray lineRead()
    {
        while (!process_.canReadLine() && process_.state() != QProcess::NotRunning)
            process_.waitForReadyRead(-1);
        return process_.readLine();
    }

    QProcess process_;
    bool ready_ = false;
};

} // namespace

TEST(LeftoverSweep, ProgramsAtOneFolderNeverEndEachOtherNorRemoveAFileSwappedIn)
{
    // Thousands of files are made there in a blink, where a loaded disk takes a millisecond a file.
    TmpfsFolder dir("size=64m");
    const int folderFd = ::open(QFile::encodeName(dir.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(folderFd, 0);

    // Two programs sweep thousands of leftovers at once while a third opens them: each look
    // at a file another one holds a lease on breaks that lease.
    {
        OtherProgram first(QStringLiteral("sweep"), dir.path());
        OtherProgram second(QStringLiteral("sweep"), dir.path());
        OtherProgram opener(QStringLiteral("open"), dir.path());
        ASSERT_TRUE(first.isReady() && second.isReady() && opener.isReady());
        for (int round = 0; round < 20; ++round) {
            for (int i = 0; i < 2000; ++i)
                ASSERT_TRUE(makeLeftover(folderFd, QFile::encodeName(newOwnTemporaryName())));
            for (OtherProgram* program : { &first, &second, &opener })
                program->go();
            ASSERT_EQ(first.outcome(), "done") << "round " << round;
            ASSERT_EQ(second.outcome(), "done") << "round " << round;
            ASSERT_EQ(opener.outcome(), "done") << "round " << round;
        }
    }
    // What both kept, each seeing the other's open descriptor, goes at the next sweep alone:
    // nothing was left under another name.
    removeStaleTemporaries(dir.path());
    EXPECT_EQ(entriesOf(dir.path()), QStringList());

    // A person's file swapped with a leftover over and over while the folder is swept: a
    // leftover goes whenever it is caught under its name, the person's file never.
    const QByteArray leftoverName = QFile::encodeName(newOwnTemporaryName());
    const QByteArray notesName("notes.txt");
    const QString notes = dir.filePath(QString::fromLatin1(notesName));
    const int personFd = ::open(QFile::encodeName(notes).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    ASSERT_GE(personFd, 0);
    ASSERT_EQ(::write(personFd, "mine", 4), 4);
    // Held open, it tells whether a name still links to it whatever name it has now.
    const auto personLinked = [personFd] {
        struct stat info
        {
        };
        return ::fstat(personFd, &info) == 0 && info.st_nlink == 1;
    };
    // Only the sweep removes a name and only this thread adds one: while one is missing the
    // swaps fail, so which one is missing holds still.
    const auto exists = [folderFd](const QByteArray& name) {
        return ::faccessat(folderFd, name.constData(), F_OK, AT_SYMLINK_NOFOLLOW) == 0;
    };
    std::atomic<bool> stop { false };
    std::thread swapper([&] {
        while (!stop.load(std::memory_order_relaxed))
            ::renameat2(folderFd, leftoverName.constData(), folderFd, notesName.constData(), RENAME_EXCHANGE);
    });
    int leftoversMade = 0;
    for (int sweep = 0; sweep < 20000; ++sweep) {
        if (!exists(leftoverName) || !exists(notesName)) {
            ++leftoversMade;
            makeLeftover(folderFd, exists(leftoverName) ? notesName : leftoverName);
        }
        removeStaleTemporaries(dir.path());
        if (!personLinked()) {
            ADD_FAILURE() << "the person's file was removed by sweep " << sweep;
            break;
        }
    }
    stop = true;
    swapper.join();
    EXPECT_GT(leftoversMade, 1) << "no leftover was ever caught under its name";
    // The last sweep may or may not have caught the leftover; either way no private name stays.
    const QStringList leftNames = entriesOf(dir.path());
    for (const QString& name : leftNames)
        EXPECT_TRUE(name == QFile::decodeName(leftoverName) || name == QFile::decodeName(notesName))
            << name.toStdString();
    ::close(personFd);
    ::close(folderFd);
}

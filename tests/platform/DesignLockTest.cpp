// Several programs opening and closing one design, each told who else has it open.
#include "platform/DesignLock.h"

#include "support/LockEntries.h"
#include "support/Patience.h"

#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
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
    QByteArray seenAs() const { return "open in " + QSysInfo::machineHostName().toUtf8() + ' ' + QByteArray::number(pid_); }
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

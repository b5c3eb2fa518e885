// The program keeps running when the terminal it was started from hangs up or a pipe it writes
// to loses its reader: the real program, started as a person starts it, is sent those signals,
// then asked to end; it must end by that request, not by the signals before it.
#include "support/Patience.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

#include <gtest/gtest.h>

TEST(StraySignals, HangupAndBrokenPipeLeaveTheProgramRunning)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QStringLiteral(GALAVITE_PROGRAM), {});
    ASSERT_TRUE(program.waitForStarted());

    // The resource folder is made once the program's services are set up; it then waits at
    // its start dialog.
    const QString resources = home.filePath(QStringLiteral("data/Galavite/Resources"));
    ASSERT_TRUE(patience::eventually([&] { return QFileInfo(resources).isDir(); }));

    const auto pid = pid_t(program.processId());
    ASSERT_EQ(::kill(pid, SIGHUP), 0);
    ASSERT_EQ(::kill(pid, SIGPIPE), 0);
    // Signals pending together are taken lowest number first, so a fatal SIGHUP or SIGPIPE
    // would end the program before this request does.
    ASSERT_EQ(::kill(pid, SIGTERM), 0);
    ASSERT_TRUE(patience::finished(program));
    EXPECT_EQ(program.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(program.exitCode(), SIGTERM) << "ended by signal " << program.exitCode();
}

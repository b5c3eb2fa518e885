#include "common/Logging.h"

#include "support/Patience.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

// Run by the test below in a child of its own, whose environment decides what it writes.
TEST(LoggingChild, WritesADebugLine)
{
    if (!qEnvironmentVariableIsSet("GALAVITE_LOGGING_CHILD"))
        GTEST_SKIP() << "run by DebugLines.TurnOnWithTheDocumentedRule";
    Show_Debug_Message(QStringLiteral("debug line from the child"));
    Show_NSLog_Message(QStringLiteral("log line from the child"));
}

QByteArray childOutput(const QString& rules)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("GALAVITE_LOGGING_CHILD"), QStringLiteral("1"));
    environment.remove(QStringLiteral("QT_LOGGING_RULES"));
    if (!rules.isNull())
        environment.insert(QStringLiteral("QT_LOGGING_RULES"), rules);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), { QStringLiteral("--gtest_filter=LoggingChild.*") });
    EXPECT_TRUE(patience::finished(child));
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("log line from the child")) << output.toStdString();
    return output;
}

TEST(DebugLines, TurnOnWithTheDocumentedRule)
{
    EXPECT_TRUE(childOutput(QStringLiteral("galavite.debug=true")).contains("debug line from the child"));
    // Off by default, and off when the rule turns them off.
    EXPECT_FALSE(childOutput(QString()).contains("debug line from the child"));
    EXPECT_FALSE(childOutput(QStringLiteral("galavite.debug=false")).contains("debug line from the child"));
}

} // namespace

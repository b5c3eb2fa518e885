#pragma once

// For tests that need a real X display, where the clipboard is shared between programs: on
// any other platform such a test runs itself again under xvfb-run on the xcb platform.

#include "support/Patience.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

inline bool haveTool(const char* name)
{
    return !QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty();
}

inline bool onXDisplay()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// Runs the current test alone in a new copy of this test program under xvfb-run on the xcb
// platform, and expects it to pass there.
inline void rerunThisTestUnderXvfb()
{
    const ::testing::TestInfo& test = *::testing::UnitTest::GetInstance()->current_test_info();
    const QString filter
        = QStringLiteral("--gtest_filter=%1.%2").arg(QLatin1String(test.test_suite_name()), QLatin1String(test.name()));
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral("xvfb-run"),
        { QStringLiteral("-a"), QStringLiteral("env"), QStringLiteral("QT_QPA_PLATFORM=xcb"),
            QCoreApplication::applicationFilePath(), filter });
    ASSERT_TRUE(patience::finished(child));
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

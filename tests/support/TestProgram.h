#pragma once

#include <QCoreApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

// What every test main does around its application object: the offscreen platform unless
// another is chosen, test-mode folders, and the program's name.
inline void prepareTestProgram()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
}

inline int runTestProgram(int& argc, char** argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("Galavite"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

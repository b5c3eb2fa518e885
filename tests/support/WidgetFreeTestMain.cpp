// Tests of widget-free libraries run inside a QGuiApplication on the offscreen platform:
// fonts and painting behave as in the program, and Qt Widgets is never linked.
#include <QGuiApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Galavite"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

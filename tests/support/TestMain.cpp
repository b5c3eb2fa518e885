// Test programs run inside a QApplication on the offscreen platform, so widget and
// painting code behaves as in the program without a display.
#include "widgets/QtDialogService.h"

#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Galavite"));
    setDialogService(std::make_unique<QtDialogService>());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Test programs run inside a QApplication on the offscreen platform, so widget and
// painting code behaves as in the program without a display.
#include "support/TestProgram.h"
#include "widgets/QtDialogService.h"

#include <QApplication>

int main(int argc, char** argv)
{
    prepareTestProgram();
    QApplication app(argc, argv);
    setDialogService(std::make_unique<QtDialogService>());
    return runTestProgram(argc, argv);
}

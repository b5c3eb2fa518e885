// Tests of windows run inside a QApplication on the offscreen platform with every service
// installed as the program installs it at start-up.
#include "services/ProgramServices.h"
#include "support/TestProgram.h"

#include <QApplication>

int main(int argc, char** argv)
{
    prepareTestProgram();
    QApplication app(argc, argv);
    installProgramServices();
    return runTestProgram(argc, argv);
}

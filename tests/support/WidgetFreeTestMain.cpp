// Tests of widget-free libraries run inside a QGuiApplication on the offscreen platform:
// fonts and painting behave as in the program, and Qt Widgets is never linked.
#include "support/TestProgram.h"

#include <QGuiApplication>

int main(int argc, char** argv)
{
    prepareTestProgram();
    QGuiApplication app(argc, argv);
    return runTestProgram(argc, argv);
}

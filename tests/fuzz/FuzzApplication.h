#pragma once

#include <QGuiApplication>

#include <cstdlib>

// Font lookups and picture decoding need an application object; the fuzzers make one
// once, on the offscreen platform, and keep it for the life of the process (destroying it
// among the exit handlers would run after Qt's own globals are gone).
inline void ensureFuzzApplication()
{
    if (QCoreApplication::instance())
        return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

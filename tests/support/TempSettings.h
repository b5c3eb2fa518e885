#pragma once

#include <QTemporaryDir>

// Points the user's settings (window geometry, last-used folders) at a fresh temporary
// folder for a test's lifetime, so tests neither read nor leave settings behind.
class TempSettings
{
public:
    TempSettings();
    ~TempSettings();

    // Reads the file anew, as the program's next start does.
    void reread();

private:
    QTemporaryDir dir_;
};

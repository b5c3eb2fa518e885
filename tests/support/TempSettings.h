#pragma once

#include <QTemporaryDir>

// Points the user's settings (window geometry, last-used folders) at a fresh temporary
// folder for a test's lifetime, so tests neither read nor leave settings behind.
class TempSettings
{
public:
    TempSettings();
    ~TempSettings();

private:
    QTemporaryDir dir_;
};

#include "support/TempSettings.h"

#include "platform/InterfaceSettings.h"

TempSettings::TempSettings()
{
    InterfaceSettings::useFolder(dir_.path());
}

TempSettings::~TempSettings()
{
    InterfaceSettings::useFolder(QString());
}

void TempSettings::reread()
{
    InterfaceSettings::useFolder(dir_.path());
}

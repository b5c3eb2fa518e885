#include "support/TempSettings.h"

#include <QSettings>
#include <QStandardPaths>

TempSettings::TempSettings()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
}

TempSettings::~TempSettings()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

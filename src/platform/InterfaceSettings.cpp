#include "platform/InterfaceSettings.h"

#include <QCoreApplication>

std::unique_ptr<QSettings> interfaceSettings()
{
    const QString name = QCoreApplication::applicationName();
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, name, name);
}

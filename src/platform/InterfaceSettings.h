#pragma once

#include <QSettings>

#include <memory>

// The interface's own settings (window geometry, last-used folders), kept apart from the
// card and e-mail settings files: the user's config folder + "/Galavite/Galavite.conf".
// Qt without an organisation name would write to "Unknown Organization".
std::unique_ptr<QSettings> interfaceSettings();

#pragma once

#include <QString>
#include <QVariant>

// The interface's own settings (window geometry, last-used folders), kept apart from the
// card and e-mail settings files: the user's config folder + "/Galavite/Galavite.conf".
// The file is read once, at the first use, and only up to the size of a settings file: a
// larger one (or one that is no regular file) is not read and never written; the person is
// told once, and the settings start from their defaults and last as long as the program.
// Callable from any thread.
namespace InterfaceSettings {

QVariant value(const QString& key, const QVariant& defaultValue = {});
void setValue(const QString& key, const QVariant& value);

// The folder the file is in; tests point it elsewhere (an empty folder is the user's config
// folder again). The file is read anew at the next use.
void useFolder(const QString& folder);

} // namespace InterfaceSettings

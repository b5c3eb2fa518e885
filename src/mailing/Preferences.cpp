#include "mailing/Preferences.h"

#include "platform/PropertyList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {
constexpr auto ownerOnlyFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr auto ownerOnlyFolder = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

bool makePrivateFolder(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return false;
    return QFile::setPermissions(folder, ownerOnlyFolder);
}
} // namespace

QString Preferences::settingsFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/com.quon.card.plist");
}

std::unique_ptr<Preferences> Preferences::sharedInstance()
{
    std::unique_ptr<Preferences> preferences(new Preferences);
    preferences->mPreferencesPath = settingsFilePath();
    const PlistValue read = PropertyList::readFile(preferences->mPreferencesPath);
    if (read.isDict()) {
        preferences->mDict = read.toDict();
        return preferences;
    }
    // Missing or unreadable: leave an empty file that only the user can read, and use defaults.
    if (makePrivateFolder(QFileInfo(preferences->mPreferencesPath).path())) {
        QFile file(preferences->mPreferencesPath);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.setPermissions(ownerOnlyFile);
    }
    preferences->setDefaults();
    return preferences;
}

void Preferences::setDefaults()
{
    for (const char* key :
        { "SendEmailRecipient", "SendEmailSender", "SendEmailPwd", "SendEmailSMTP", "SendEmailPORT" })
        mDict.insert(QString::fromLatin1(key), QString());
}

QString Preferences::value(const QString& key) const
{
    const PlistValue* item = mDict.find(key);
    return item ? item->toString() : QString();
}

bool Preferences::flush(QString* error) const
{
    if (!makePrivateFolder(QFileInfo(mPreferencesPath).path())) {
        if (error)
            *error = QStringLiteral("cannot create the folder of %1").arg(mPreferencesPath);
        return false;
    }
    QSaveFile file(mPreferencesPath);
    // The permissions are set on the temporary file, so the password is never readable by others.
    const bool written = file.open(QIODevice::WriteOnly) && file.setPermissions(ownerOnlyFile)
        && file.write(PropertyList::write(PlistValue(mDict), PropertyList::Format::Xml)) >= 0 && file.commit();
    if (!written && error)
        *error = file.errorString();
    return written;
}

#include "mailing/Preferences.h"

#include "platform/CheckedWrite.h"
#include "platform/PropertyList.h"
#include "platform/SafeRead.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr auto ownerOnlyFolder = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

bool makePrivateFolder(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return false;
    return QFile::setPermissions(folder, ownerOnlyFolder);
}

void logLine(const QString& text)
{
    qWarning().noquote() << text;
}

// The settings hold a password: a file others may read is closed to them. Through a link it
// is only reported, as the file the link names is not ours to change.
void keepPrivate(const QString& path)
{
    struct stat info
    {
    };
    const QByteArray native = QFile::encodeName(path);
    if (::stat(native.constData(), &info) != 0 || (info.st_mode & 077) == 0)
        return;
    if (QFileInfo(path).isSymLink()) {
        logLine(QStringLiteral("The mail settings file %1 is a link to a file others can read; saving the settings "
                               "replaces the link with a file readable by you alone.")
                    .arg(path));
        return;
    }
    logLine(QStringLiteral("The mail settings file %1 could be read by others; it is made readable by you alone.")
                .arg(path));
    if (::chmod(native.constData(), 0600) != 0)
        logLine(QStringLiteral("The permissions of %1 cannot be changed: %2").arg(path, qt_error_string(errno)));
}

// A first start leaves an empty file only the user can read. Never a link followed, never
// an existing file touched.
void createEmptyPrivateFile(const QString& path)
{
    if (!makePrivateFolder(QFileInfo(path).path()))
        return;
    const int fd
        = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0)
        ::close(fd);
}
} // namespace

QString Preferences::settingsFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/com.quon.card.plist");
}

std::unique_ptr<Preferences> Preferences::sharedInstance()
{
    std::unique_ptr<Preferences> preferences(new Preferences);
    const QString& path = preferences->mPreferencesPath = settingsFilePath();
    QFileInfo file(path);
    if (!file.exists() && !file.isSymLink()) {
        createEmptyPrivateFile(path);
        preferences->setDefaults();
        return preferences;
    }
    QString error;
    const PlistValue read = PropertyList::readFile(path, &error, SafeRead::maxSettingsBytes);
    if (read.isDict()) {
        keepPrivate(path);
        preferences->mDict = read.toDict();
        return preferences;
    }
    // Reading never writes: a damaged file stays for the user to look at or replace.
    if (file.size() > 0 || file.isSymLink()) {
        preferences->mReadProblem
            = QStringLiteral("%1: %2").arg(path, read.isNone() ? error : QStringLiteral("it holds no settings"));
        logLine(QStringLiteral(
            "The mail settings file %1 cannot be read (%2); the settings are empty until they are saved again.")
                    .arg(path, read.isNone() ? error : QStringLiteral("it holds no settings")));
    }
    preferences->setDefaults();
    return preferences;
}

QString Preferences::unreadableMessage()
{
    return QStringLiteral("The e-mail settings could not be read, so they are empty here. Their file was left as it "
                          "is; saving the settings replaces it.");
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
    // A link in the settings' place is replaced, never written through.
    return writeFileChecked(mPreferencesPath, PropertyList::write(PlistValue(mDict), PropertyList::Format::Xml), error,
        { .ownerOnly = true, .replaceLink = true });
}

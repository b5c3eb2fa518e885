#include "platform/InterfaceSettings.h"

#include "platform/DialogService.h"
#include "platform/GuiThread.h"
#include "platform/SafeRead.h"
#include "platform/SettingsStreamedValues.h"
#include "platform/SizeText.h"

#include <QCoreApplication>
#include <QFile>
#include <QLockFile>
#include <QMutex>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QVariantMap>

#include <sys/stat.h>

namespace InterfaceSettings {

namespace {

struct Store
{
    QMutex mutex;
    QString configFolder; // empty: the user's
    QString file; // the file the values came from; empty before the first use
    bool fileRead = false; // false: it was refused, and the values last for this run only
    QVariantMap values;
    QSet<QString> told; // refused files the person has heard of
};

Store& store()
{
    static Store instance;
    return instance;
}

QString fileIn(const Store& store)
{
    const QString root = store.configFolder.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        : store.configFolder;
    const QString name = QCoreApplication::applicationName();
    return root + u'/' + name + u'/' + name + QStringLiteral(".conf");
}

// Why the file must not be read (a settings file of hundreds of megabytes held the window for
// seconds at every use; a value in data-stream form can ask for gigabytes), or "" when it may.
// A missing file may: it holds nothing yet.
QString refusalOf(const QString& file)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(file).constData(), &info) != 0)
        return {};
    if (!S_ISREG(info.st_mode))
        return QStringLiteral("It is not a regular file.");
    if (info.st_size > SafeRead::maxSettingsBytes)
        return QStringLiteral("It is larger than %1.").arg(sizeText(SafeRead::maxSettingsBytes));
    // One that cannot be read now is left to Qt, which takes it for an empty one.
    QByteArray text;
    QString unread;
    if (SafeRead::readRegularFile(file, SafeRead::maxSettingsBytes, text, &unread) && holdsStreamedValue(text))
        return QStringLiteral("It holds a value in a form this program does not write.");
    return {};
}

// How long a write waits for the settings file's lock: other runs of the program hold it for
// milliseconds, and the window waits meanwhile.
constexpr int lockWaitMs = 500;

// Why the file's lock cannot be taken now, or "" when it can. Qt's own write takes the same
// lock with no time limit and would wait for ever on a lock that is a folder or a FIFO, or is
// held by a program that hangs: it is tried here first, with a limit, and let go for Qt to
// take at once.
QString lockRefusalOf(const QString& file)
{
    const QString lockPath = file + QStringLiteral(".lock");
    struct stat info
    {
    };
    if (::lstat(QFile::encodeName(lockPath).constData(), &info) == 0) {
        // Reading a FIFO's lock details would wait for a writer; Qt reads a lock file whole,
        // twice, so one of gigabytes would hold the window and take its size in memory.
        if (!S_ISREG(info.st_mode))
            return QStringLiteral("Its lock %1 is not a regular file.").arg(lockPath);
        if (info.st_size > SafeRead::maxLockBytes)
            return QStringLiteral("Its lock %1 is larger than a lock file can be.").arg(lockPath);
    }
    QLockFile lock(lockPath);
    if (lock.tryLock(lockWaitMs)) {
        lock.unlock();
        return {};
    }
    // A lock that cannot be made (no folder yet, no permission) fails Qt's write at once.
    return lock.error() == QLockFile::LockFailedError
        ? QStringLiteral("Its lock %1 is held by another program.").arg(lockPath)
        : QString();
}

struct Refusal
{
    QString file;
    QString reason;
    bool read = false; // the file was read, and only its writing is refused
};

// The refusal, unless the person has heard of one for its file already.
Refusal toTell(Store& store, const Refusal& refusal)
{
    if (store.told.contains(refusal.file))
        return {};
    store.told.insert(refusal.file);
    return refusal;
}

// Reads the current file unless its values are those held; a refusal the person has not
// heard of yet comes back to be shown once the store is unlocked.
Refusal readCurrentFile(Store& store)
{
    const QString file = fileIn(store);
    if (file == store.file)
        return {};
    store.file = file;
    store.values.clear();
    const QString reason = refusalOf(file);
    store.fileRead = reason.isEmpty();
    if (store.fileRead) {
        const QSettings settings(file, QSettings::IniFormat);
        for (const QString& key : settings.allKeys())
            store.values.insert(key, settings.value(key));
        return {};
    }
    return toTell(store, { file, reason });
}

void tell(const Refusal& refusal)
{
    if (refusal.reason.isEmpty())
        return;
    const QString text = refusal.read
        ? QStringLiteral("The settings file %1 cannot be written and is left as it is. Window places and last-used "
                         "folders are not saved from now on.")
              .arg(refusal.file)
        : QStringLiteral("The settings file %1 was not read and is left as it is. Window places and "
                         "last-used folders start from their defaults and are not saved.")
              .arg(refusal.file);
    runOnGuiThreadAndWait([&] { dialogs().showMessageWithReason(text, refusal.reason); });
}

} // namespace

QVariant value(const QString& key, const QVariant& defaultValue)
{
    Store& settings = store();
    QMutexLocker lock(&settings.mutex);
    const Refusal refusal = readCurrentFile(settings);
    const QVariant found = settings.values.value(key, defaultValue);
    lock.unlock();
    tell(refusal);
    return found;
}

void setValue(const QString& key, const QVariant& value)
{
    Store& settings = store();
    QMutexLocker lock(&settings.mutex);
    Refusal refusal = readCurrentFile(settings);
    settings.values.insert(key, value);
    // Written through at once, into the file as it is now (another run may have changed it),
    // unless it has grown past what is read meanwhile.
    if (settings.fileRead && refusalOf(settings.file).isEmpty()) {
        if (const QString why = lockRefusalOf(settings.file); !why.isEmpty()) {
            settings.fileRead = false; // not tried again: each write would hold the window as long
            refusal = toTell(settings, { settings.file, why, true });
        } else {
            QSettings file(settings.file, QSettings::IniFormat);
            file.setValue(key, value);
            file.sync();
        }
    }
    lock.unlock();
    tell(refusal);
}

void useFolder(const QString& folder)
{
    Store& settings = store();
    QMutexLocker lock(&settings.mutex);
    settings.configFolder = folder;
    settings.file.clear();
}

} // namespace InterfaceSettings

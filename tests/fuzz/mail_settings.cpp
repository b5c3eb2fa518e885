// Arbitrary bytes as the e-mail settings file: it is read, or refused with a reason and left
// as it is; settings read from it and saved again read back the same.
#include "mailing/Preferences.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

QStringList valuesOf(const Preferences& preferences)
{
    return { preferences.send_email_Recipient(), preferences.send_email_SenderEmail(),
        preferences.send_email_Password(), preferences.send_email_SMTP_server(), preferences.send_email_PORT_num(),
        preferences.send_email_enable_ssl() };
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QTemporaryDir home(QDir::tempPath() + QStringLiteral("/fuzz-mail-settings-XXXXXX"));
    static const bool pointed = [] {
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        QCoreApplication::setApplicationName(QStringLiteral("fuzz"));
        // A refused file is logged each time: too many lines to be of use here.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        return true;
    }();
    (void)pointed;
    const QString path = Preferences::settingsFilePath();
    QDir().mkpath(QFileInfo(path).path());
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return 0;
    file.close();

    const auto read = Preferences::sharedInstance();
    if (!read->readProblem().isEmpty()) {
        if (!file.open(QIODevice::ReadOnly) || file.readAll() != bytes)
            std::abort(); // a file that is not read is left as it is
        return 0;
    }
    if (!read->flush())
        return 0;
    const auto again = Preferences::sharedInstance();
    if (!again->readProblem().isEmpty() || valuesOf(*again) != valuesOf(*read))
        std::abort();
    return 0;
}

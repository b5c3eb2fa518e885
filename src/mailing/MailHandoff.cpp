#include "mailing/MailHandoff.h"

#include "mailing/MailAddresses.h"
#include "platform/ResourceFolder.h"

#include <QDir>
#include <QMutex>
#include <QProcess>
#include <QProcessEnvironment>

namespace {
QMutex scriptMutex;
QString scriptOverride;
} // namespace

QString mailScriptPath()
{
    QMutexLocker lock(&scriptMutex);
    if (!scriptOverride.isEmpty())
        return scriptOverride;
    return QDir(shippedResourceFolder()).filePath(QStringLiteral("pyth_mail.py"));
}

void setMailScriptPath(const QString& path)
{
    QMutexLocker lock(&scriptMutex);
    scriptOverride = path;
}

bool sendEmail_pyth(QProcess& process, const QString& toAddress, const QString& withSubject,
    const QStringList& Attachments, const QString& withSender, const QString& withPwd, const QString& withSMTP,
    const QString& withPort, const QString& withBody, const QString& enable_ssl)
{
    for (const QString& headerText : { toAddress, withSubject, withSender, withSMTP, withPort })
        if (hasControlCharacters(headerText))
            return false;

    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PYTHONPATH"), QString());
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/bin:/usr/bin:/usr/local/bin"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setProgram(QStringLiteral("/usr/bin/python3"));
    process.setArguments(QStringList { mailScriptPath(), withSender, withSMTP, withPort, withSender, toAddress,
                             withSubject, withBody, enable_ssl }
        + Attachments);
    process.start();
    if (!process.waitForStarted())
        return false;
    // UTF-8, so that any password can be sent; the second line is what the script expects after it.
    process.write(withPwd.toUtf8() + "\n" + QByteArrayLiteral("Description"));
    process.closeWriteChannel();
    process.waitForFinished(-1);
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

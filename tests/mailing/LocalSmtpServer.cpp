#include "LocalSmtpServer.h"

#include "mailing/MailHandoff.h"
#include "support/Patience.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QThread>

#include <csignal>

namespace {
QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList splitNul(const QByteArray& bytes)
{
    QStringList parts;
    if (bytes.isEmpty())
        return parts;
    for (const QByteArray& part : bytes.chopped(bytes.endsWith('\0') ? 1 : 0).split('\0'))
        parts << QString::fromUtf8(part);
    return parts;
}
} // namespace

LocalSmtpServer::LocalSmtpServer(Mode mode, int served, const QStringList& refused)
{
    const char* modeName = mode == Mode::ImplicitTls ? "implicit"
        : mode == Mode::StartTls                     ? "starttls"
        : mode == Mode::RefusesLogin                 ? "refusing"
        : mode == Mode::TrickleGreeting              ? "trickle-greeting"
        : mode == Mode::TrickleAfterData             ? "trickle-data"
        : mode == Mode::FloodGreeting                ? "flood-greeting"
                                                     : "plain";
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral("/usr/bin/python3"),
        QStringList { QStringLiteral("-W"), QStringLiteral("ignore"),
            QStringLiteral(GALAVITE_SOURCE_DIR "/tests/mailing/smtp_test_server.py"), QString::fromLatin1(modeName),
            dir_.path(), QString::number(served) }
            + refused);
    const QDeadlineTimer deadline(patience::generousMs);
    while (!deadline.hasExpired() && process_.state() != QProcess::NotRunning && !process_.canReadLine())
        process_.waitForReadyRead(200);
    const QByteArray line = process_.readLine().trimmed();
    if (line.startsWith("READY "))
        port_ = line.mid(6).toInt();
}

LocalSmtpServer::~LocalSmtpServer()
{
    process_.terminate();
    if (!patience::finished(process_))
        process_.kill();
    patience::finished(process_);
}

QList<QJsonObject> LocalSmtpServer::mails() const
{
    QList<QJsonObject> result;
    const QDir folder(dir_.path());
    for (const QString& name : folder.entryList({ QStringLiteral("mail-*.json") }, QDir::Files, QDir::Name))
        result << QJsonDocument::fromJson(readAll(folder.filePath(name))).object();
    return result;
}

bool LocalSmtpServer::waitForMails(int count) const
{
    const QDeadlineTimer deadline(patience::generousMs);
    while (mails().size() < count && !deadline.hasExpired())
        QThread::msleep(50);
    return mails().size() >= count;
}

bool LocalSmtpServer::waitForTrickle(int connection) const
{
    const QString path = dir_.filePath(QStringLiteral("trickling-%1").arg(connection));
    const QDeadlineTimer deadline(patience::generousMs);
    while (!QFile::exists(path) && !deadline.hasExpired())
        QThread::msleep(50);
    return QFile::exists(path);
}

QStringList LocalSmtpServer::authPasswords() const
{
    QStringList result;
    for (const auto& value : QJsonDocument::fromJson(readAll(dir_.filePath(QStringLiteral("auth.json")))).array())
        result << value.toString();
    return result;
}

SleepingMailScript::SleepingMailScript()
{
    const QString script = dir_.filePath(QStringLiteral("sleeper.py"));
    QFile file(script);
    if (file.open(QIODevice::WriteOnly))
        file.write(QStringLiteral("import os, time\nopen('%1', 'w').write(str(os.getpid()))\ntime.sleep(600)\n")
                       .arg(dir_.filePath(QStringLiteral("pid")))
                       .toUtf8());
    setMailScriptPath(script);
}

SleepingMailScript::~SleepingMailScript()
{
    setMailScriptPath(QString());
}

qint64 SleepingMailScript::pid() const
{
    return readAll(dir_.filePath(QStringLiteral("pid"))).toLongLong();
}

bool processExists(qint64 pid)
{
    return pid > 0 && ::kill(pid_t(pid), 0) == 0;
}

TrustingMailScript::TrustingMailScript(const QString& caFile)
{
    const QString script = dir_.filePath(QStringLiteral("trusting_mail.py"));
    QFile file(script);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(
            QStringLiteral("import os, sys\n"
                           "for name in ('cmdline', 'environ'):\n"
                           "    with open('/proc/self/' + name, 'rb') as source, open(%1 + name, 'wb') as target:\n"
                           "        target.write(source.read())\n"
                           "with open(%1 + 'pid', 'w') as target:\n"
                           "    target.write(str(os.getpid()))\n"
                           "os.environ['SSL_CERT_FILE'] = %2\n"
                           "os.execv('/usr/bin/python3', ['/usr/bin/python3', %3] + sys.argv[1:])\n")
                .arg(u'\'' + dir_.filePath(QStringLiteral("record-")) + u'\'', u'\'' + caFile + u'\'',
                    QStringLiteral("'" GALAVITE_SOURCE_DIR "/resources/pyth_mail.py'"))
                .toUtf8());
    }
    setMailScriptPath(script);
}

TrustingMailScript::~TrustingMailScript()
{
    setMailScriptPath(QString());
}

QStringList TrustingMailScript::recordedArguments() const
{
    return splitNul(readAll(dir_.filePath(QStringLiteral("record-cmdline"))));
}

qint64 TrustingMailScript::recordedPid() const
{
    return readAll(dir_.filePath(QStringLiteral("record-pid"))).toLongLong();
}

QStringList TrustingMailScript::recordedEnvironment() const
{
    return splitNul(readAll(dir_.filePath(QStringLiteral("record-environ"))));
}

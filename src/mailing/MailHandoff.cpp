#include "mailing/MailHandoff.h"

#include "mailing/MailAddresses.h"
#include "platform/ResourceFolder.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace {
QMutex scriptMutex;
QString scriptOverride;

constexpr int baseDeadlineSeconds = 120;
// About half a megabit a second, once base64 has grown the files by a third.
constexpr qint64 attachmentBytesPerSecond = 48 * 1024;
// The script keeps its own deadline; this covers its start and a script stuck where its
// timer cannot reach (a name look-up).
constexpr int guardMarginSeconds = 10;
// How often Stop and the deadline are looked at while the script runs.
constexpr int waitSliceMs = 100;
// The script's exit status for a recipient that the server alone refused.
constexpr int recipientRefusedStatus = 3;
// The message was handed to the server, whose answer never came.
constexpr int mayHaveGoneStatus = 5;
// Its status when a recipient it was asked about cannot be sent.
constexpr int unsendableRecipientStatus = 4;
// The check reads the list without a server: a minute, and 10 ms a recipient (some 25 times
// what one takes), is far more than any list takes, and no list is refused for its length.
constexpr int checkDeadlineSeconds = 60;
constexpr int recipientsCheckedPerSecond = 100;
// A script is started for each so many recipients to check, up to one per processor.
constexpr int recipientsPerScript = 500;
// A thread reads the addresses of each so many recipients of a list, up to one per processor.
constexpr int recipientsReadPerThread = 10000;
} // namespace

int mailDeadlineSeconds(const QStringList& attachments)
{
    qint64 bytes = 0;
    for (const QString& path : attachments)
        bytes += std::max<qint64>(QFileInfo(path).size(), 0);
    return int(std::min<qint64>(baseDeadlineSeconds + bytes / attachmentBytesPerSecond, 24 * 3600));
}

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

bool passwordHasLineBreak(const QString& password)
{
    return password.contains(u'\n') || password.contains(u'\r');
}

bool bodyHasNul(const QString& body)
{
    return body.contains(QChar(0));
}

QString bodyNulMessage()
{
    return QStringLiteral("The message holds a NUL character, which an e-mail cannot carry. Remove it and send "
                          "again.");
}

QString attachmentProblem(const QString& path)
{
    const QFileInfo file(path);
    if (hasControlCharacters(file.fileName()))
        return QStringLiteral("The name of the attached file \"%1\" holds a line break or a control character, which "
                              "an e-mail cannot carry. Rename the file and attach it again.")
            .arg(file.fileName().simplified());
    if (file.isDir())
        return QStringLiteral("\"%1\" is a folder. Attach a file.").arg(path);
    return {};
}

namespace {

QProcessEnvironment scriptEnvironment(int deadlineSeconds, const QString& recipientAddress)
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("MAIL_DEADLINE_SECONDS"), QString::number(deadlineSeconds));
    environment.insert(QStringLiteral("MAIL_RECIPIENT_ADDRESS"), recipientAddress);
    environment.insert(QStringLiteral("PYTHONPATH"), QString());
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/bin:/usr/bin:/usr/local/bin"));
    const QProcessEnvironment ours = QProcessEnvironment::systemEnvironment();
    for (const QString& name : { QStringLiteral("SSL_CERT_FILE"), QStringLiteral("SSL_CERT_DIR") })
        if (ours.contains(name))
            environment.insert(name, ours.value(name));
    return environment;
}

// The script's last line on standard error is its reason; earlier lines go to the log.
QString lastLine(const QByteArray& errorOutput)
{
    const QList<QByteArray> lines = errorOutput.trimmed().split('\n');
    return QString::fromUtf8(lines.constLast()).trimmed();
}

MailDelivery refuse(QString* reason, const QString& why, MailDelivery delivery = MailDelivery::Failed)
{
    if (reason)
        *reason = why;
    return delivery;
}

enum class Wait
{
    Exited,
    Stopped,
    TimedOut
};

// Waits in short slices so that Stop and the deadline end a script that the server holds.
Wait waitForScript(QProcess& process, const HandoffLimits& limits, int deadlineSeconds)
{
    const QDeadlineTimer guard(std::chrono::seconds(deadlineSeconds + guardMarginSeconds));
    while (!process.waitForFinished(waitSliceMs)) {
        if (process.state() == QProcess::NotRunning)
            return Wait::Exited;
        const bool stop = limits.stopRequested && limits.stopRequested();
        if (stop || guard.hasExpired()) {
            process.kill();
            process.waitForFinished(5000);
            return stop ? Wait::Stopped : Wait::TimedOut;
        }
    }
    return Wait::Exited;
}

} // namespace

MailDelivery sendEmail_pyth(QProcess& process, const QString& toAddress, const QString& withSubject,
    const QStringList& Attachments, const QString& withSender, const QString& withPwd, const QString& withSMTP,
    const QString& withPort, const QString& withBody, const QString& enable_ssl, QString* reason,
    const HandoffLimits& limits)
{
    for (const QString& headerText : { toAddress, withSubject, withSender, withSMTP, withPort })
        if (hasControlCharacters(headerText))
            return refuse(reason,
                QStringLiteral("The recipient, subject, sender, server or port holds a line break or a control "
                               "character."));
    // The mail goes to the address this program read and compared, whatever the script would
    // make of the name written around it.
    const QString recipientAddress = mailboxAddress(toAddress);
    if (recipientAddress.isEmpty())
        return refuse(reason, QStringLiteral("The recipient %1 is not an e-mail address.").arg(toAddress));
    if (passwordHasLineBreak(withPwd))
        return refuse(
            reason, QStringLiteral("The password holds a line break: enter it again in the e-mail settings."));
    if (bodyHasNul(withBody))
        return refuse(reason, bodyNulMessage());
    for (const QString& attachment : Attachments)
        if (const QString problem = attachmentProblem(attachment); !problem.isEmpty())
            return refuse(reason, problem);

    const int deadlineSeconds = limits.deadlineSeconds > 0 ? limits.deadlineSeconds : mailDeadlineSeconds(Attachments);
    process.setProcessEnvironment(scriptEnvironment(deadlineSeconds, recipientAddress));
    process.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    process.setProgram(QStringLiteral("/usr/bin/python3"));
    // The body's place says that it follows the password on standard input: an argument is
    // limited in length (128 KiB) and ends at a NUL.
    process.setArguments(QStringList { mailScriptPath(), withSender, withSMTP, withPort, withSender, toAddress,
                             withSubject, QStringLiteral("-"), enable_ssl }
        + Attachments);
    process.start();
    if (!process.waitForStarted())
        return refuse(reason, QStringLiteral("The mail script could not be started: %1").arg(process.errorString()));
    // UTF-8, so that any password and body can be sent.
    process.write(withPwd.toUtf8() + "\n" + withBody.toUtf8());
    process.closeWriteChannel();
    switch (waitForScript(process, limits, deadlineSeconds)) {
    case Wait::Stopped:
        return refuse(reason, QStringLiteral("Sending was stopped."));
    case Wait::TimedOut:
        return refuse(reason,
            QStringLiteral("Sending the e-mail to the server %1 timed out: the mail script did not end within %2 "
                           "seconds, so it was ended.")
                .arg(withSMTP)
                .arg(deadlineSeconds + guardMarginSeconds),
            MailDelivery::Unsure);
    case Wait::Exited:
        break;
    }
    const bool exited = process.exitStatus() == QProcess::NormalExit;
    if (exited && process.exitCode() == 0)
        return MailDelivery::Sent;
    const QByteArray errorOutput = process.readAllStandardError();
    qWarning("mail script: %s", errorOutput.trimmed().constData());
    const QString why = lastLine(errorOutput);
    if (!why.isEmpty())
        return refuse(reason, why,
            !exited                                            ? MailDelivery::Unsure
                : process.exitCode() == recipientRefusedStatus ? MailDelivery::RecipientRefused
                : process.exitCode() == mayHaveGoneStatus      ? MailDelivery::Unsure
                                                               : MailDelivery::Failed);
    return exited
        ? refuse(reason, QStringLiteral("The mail script ended with status %1.").arg(process.exitCode()))
        : refuse(reason, QStringLiteral("The mail script was ended before it finished."), MailDelivery::Unsure);
}

namespace {

// What one check script said about its share of the list: "" when it can send every one.
QString checkVerdict(QProcess& process, const std::function<bool()>& stopRequested, int deadlineSeconds, bool* stopped)
{
    const Wait waited = waitForScript(process, { stopRequested, 0 }, deadlineSeconds);
    *stopped = waited == Wait::Stopped;
    if (*stopped)
        return {};
    if (waited == Wait::TimedOut)
        return QStringLiteral("The mail script did not finish reading the recipients within %1 seconds.")
            .arg(deadlineSeconds + guardMarginSeconds);
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return {};
    const QString why = lastLine(process.readAllStandardError());
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == unsendableRecipientStatus
        && !why.isEmpty())
        return why;
    return QStringLiteral("The mail script could not read the recipients: %1")
        .arg(why.isEmpty() ? QStringLiteral("it ended with status %1.").arg(process.exitCode()) : why);
}

} // namespace

QString recipientsTheScriptRefuses(
    const QStringList& recipients, const std::function<bool()>& stopRequested, RecipientJudge takenWithoutAsking)
{
    // The address of each recipient that the script must be asked about; none for those taken
    // without asking.
    std::vector<std::optional<QString>> asked(recipients.size());
    // Reading the addresses of 100,000 recipients takes some 50 ms: a long list is read by
    // several threads, each its share.
    const qsizetype threads = std::clamp<qsizetype>(
        recipients.size() / recipientsReadPerThread, 1, std::max(1, QThread::idealThreadCount()));
    const qsizetype readShare = (recipients.size() + threads - 1) / threads;
    const auto read = [&](qsizetype from) {
        for (qsizetype i = from; i < std::min(from + readShare, recipients.size()); ++i)
            if (const QString address = mailboxAddress(recipients.at(i)); !takenWithoutAsking(recipients.at(i), address))
                asked[i] = address;
    };
    std::vector<std::thread> readers;
    for (qsizetype from = readShare; from < recipients.size(); from += readShare)
        readers.emplace_back(read, from);
    read(0);
    for (std::thread& reader : readers)
        reader.join();

    QList<QByteArray> lines;
    for (qsizetype i = 0; i < recipients.size(); ++i) {
        if (!asked[i])
            continue;
        // The list's reader keeps no line break or tab in a recipient; a recipient that still
        // holds one is refused as sendEmail_pyth would refuse it. (None is taken without asking.)
        if (hasControlCharacters(recipients.at(i)))
            return QStringLiteral("The recipient %1 holds a line break or a control character.")
                .arg(recipients.at(i).simplified());
        // The script takes about half a millisecond a recipient: it is asked only about those
        // it might refuse, and not at all when there is none.
        lines << recipients.at(i).toUtf8() + '\t' + asked[i]->toUtf8() + '\n';
    }
    if (lines.isEmpty())
        return {};
    // A long list is shared among several scripts that read at once, in the list's order.
    const qsizetype scripts
        = std::clamp<qsizetype>(lines.size() / recipientsPerScript, 1, std::max(1, QThread::idealThreadCount()));
    const qsizetype share = (lines.size() + scripts - 1) / scripts;
    const int deadlineSeconds = checkDeadlineSeconds + int(share / recipientsCheckedPerSecond);
    std::vector<std::unique_ptr<QProcess>> running; // each killed when it goes
    for (qsizetype from = 0; from < lines.size(); from += share) {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(scriptEnvironment(deadlineSeconds, QString()));
        process->setProgram(QStringLiteral("/usr/bin/python3"));
        process->setArguments({ mailScriptPath(), QStringLiteral("--check-recipients") });
        process->start();
        if (!process->waitForStarted())
            return QStringLiteral("The mail script could not be started: %1").arg(process->errorString());
        process->write(lines.mid(from, share).join());
        process->closeWriteChannel();
        running.push_back(std::move(process));
    }
    // Each script reads its share whole before it checks: every share is handed over before
    // the first script is waited for.
    const QDeadlineTimer handOver(std::chrono::seconds(deadlineSeconds + guardMarginSeconds));
    for (const auto& process : running)
        while (process->bytesToWrite() > 0 && process->state() == QProcess::Running)
            if (!process->waitForBytesWritten(waitSliceMs)) {
                if (stopRequested && stopRequested())
                    return {};
                if (handOver.hasExpired())
                    return QStringLiteral("The mail script did not read the recipients within %1 seconds.")
                        .arg(deadlineSeconds + guardMarginSeconds);
            }
    for (const auto& process : running) {
        bool stopped = false;
        if (const QString said = checkVerdict(*process, stopRequested, deadlineSeconds, &stopped);
            stopped || !said.isEmpty())
            return said;
    }
    return {};
}

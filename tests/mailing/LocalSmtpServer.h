#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// A local SMTP server on 127.0.0.1 (tests/mailing/smtp_test_server.py), started for one test
// and stopped at its end, with its own certificate authority. It records each received
// message and each AUTH password in its folder.
class LocalSmtpServer
{
public:
    enum class Mode
    {
        ImplicitTls,
        StartTls,
        NoStartTls,
        RefusesLogin, // STARTTLS, and every password refused
        // TLS from the first byte; after `served` connections served in full, a reply comes
        // one byte every 20 seconds: the greeting, or the reply to the message.
        TrickleGreeting,
        TrickleAfterData,
        // No SMTP: a greeting of a million "220-" lines that never ends.
        FloodGreeting
    };

    // Each of the refused addresses is answered 550 at RCPT TO.
    explicit LocalSmtpServer(Mode mode, int served = 1, const QStringList& refused = {});
    ~LocalSmtpServer();

    bool isListening() const { return port_ > 0; }
    QString port() const { return QString::number(port_); }
    QString caFile() const { return dir_.filePath(QStringLiteral("ca.pem")); }

    // The received messages in the order of arrival: time, from, to, subject, header_to (as
    // read), raw_to (the To: header as it came), body,
    // attachments (name, type, head: the first bytes in hex).
    QList<QJsonObject> mails() const;
    // Waits (bounded) until count messages have arrived.
    bool waitForMails(int count) const;
    QStringList authPasswords() const;
    // Waits (bounded) until the connection numbered from 1 is being held by a trickle.
    bool waitForTrickle(int connection) const;

private:
    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
};

// Puts a script in front of the mail script for the tests: it records its own command line
// and environment (from /proc, while it runs), then runs the real script trusting the test
// authority. The hand-off itself is unchanged, so what it passes is what the record shows.
// Whether a process of ours still exists (a reaped child is gone).
bool processExists(qint64 pid);

// Puts a mail script in front of the shipped one that records its process and then answers
// nothing for ten minutes, until the object goes.
class SleepingMailScript
{
public:
    SleepingMailScript();
    ~SleepingMailScript();

    // The script's process once it has started; 0 before.
    qint64 pid() const;

private:
    QTemporaryDir dir_;
};

class TrustingMailScript
{
public:
    explicit TrustingMailScript(const QString& caFile);
    ~TrustingMailScript();

    // The NUL-separated command line and environment of the last run; empty when none ran.
    QStringList recordedArguments() const;
    QStringList recordedEnvironment() const;
    // The process of the last run (the mail script itself); 0 when none ran.
    qint64 recordedPid() const;

private:
    QTemporaryDir dir_;
};

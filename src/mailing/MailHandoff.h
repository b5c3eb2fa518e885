#pragma once

#include "mailing/PlainRecipient.h"

#include <QString>
#include <QStringList>

#include <functional>

class QProcess;

// What may end a hand-off before the script does.
struct HandoffLimits
{
    // Asked while the script runs; true ends the script at once (Stop).
    std::function<bool()> stopRequested;
    // Seconds the whole conversation with the server may take; 0: mailDeadlineSeconds().
    int deadlineSeconds = 0;
};

// How one hand-off ended.
enum class MailDelivery
{
    Sent, // the server accepted the message
    RecipientRefused, // the server refused this recipient for good (5xx): the next mail may go
    Failed, // the connection, the login, the message or the script failed: the next mail would too
    // The message was handed over but no answer came (the connection ended, the deadline passed,
    // or the script was ended): it may have gone. Otherwise as Failed.
    Unsure
};

// Hands one message to the mail script and waits until it has exited: Sent exactly when the
// script exited with status 0, RecipientRefused when it exited with its own status for that.
// Otherwise *reason says why, as the script found it (certificate not trusted, no STARTTLS,
// login refused, the recipient refused with the server's answer, ...). The
// password and, after it, the body go on standard input, never on the command line or in the
// environment (a body may be longer than a command line allows); the
// script gets PATH and PYTHONPATH, and the certificate variables SSL_CERT_FILE and
// SSL_CERT_DIR when they are set, so that a private mail server's authority can be trusted.
// toAddress is one recipient as written ("Name <a@b.org>" too), kept for the To: header; the
// script sends to its address (mailboxAddress), given in MAIL_RECIPIENT_ADDRESS.
// A recipient that is not one mailbox, a recipient, subject or sender holding a line break
// or another control character, a password holding a line break, a body holding a NUL, and
// an attachment that attachmentProblem() refuses, are refused before anything starts.
// The script is told the deadline and keeps it itself; should it still run a little past it,
// or when Stop is asked for, it is killed and the mail counts as not sent.
MailDelivery sendEmail_pyth(QProcess& process, const QString& toAddress, const QString& withSubject,
    const QStringList& Attachments, const QString& withSender, const QString& withPwd, const QString& withSMTP,
    const QString& withPort, const QString& withBody, const QString& enable_ssl, QString* reason = nullptr,
    const HandoffLimits& limits = {});

// Asks the mail script, before a run, whether it can write every recipient (as written, with
// the address mailboxAddress() reads from it) into a To: header that names that address alone.
// "" when it can, or when stopRequested ended the script first; otherwise why the first one
// cannot, or why the script could not tell. Those that takenWithoutAsking vouches for are not
// asked about. Blocks until the script has answered: off the GUI thread for a long list.
using RecipientJudge = bool (*)(const QString& recipient, const QString& address);
QString recipientsTheScriptRefuses(const QStringList& recipients, const std::function<bool()>& stopRequested = {},
    RecipientJudge takenWithoutAsking = isPlainRecipient);

// Seconds one mail may take: two minutes, and more for large attachments on a slow line.
int mailDeadlineSeconds(const QStringList& attachments);

// True when the body cannot be sent whole: a NUL ends the text for many readers.
bool bodyHasNul(const QString& body);
QString bodyNulMessage();

// Why a file cannot go with a message: its name holds a line break or another control
// character (the name goes into the message's header), or it is a folder; "" when it can.
QString attachmentProblem(const QString& path);

// True when the password cannot reach the script whole: the script reads one line.
bool passwordHasLineBreak(const QString& password);

// The shipped script; tests may put another script in front of it.
QString mailScriptPath();
void setMailScriptPath(const QString& path);

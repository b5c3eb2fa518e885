#pragma once

#include <QString>
#include <QStringList>

class QProcess;

// Hands one message to the mail script and waits until it has exited; true exactly when the
// script exited with status 0 (the server accepted the message). The password goes on
// standard input, never on the command line or in the environment, and the script gets
// exactly two environment variables. A recipient, subject or sender holding a line break or
// another control character is refused before anything starts.
bool sendEmail_pyth(QProcess& process, const QString& toAddress, const QString& withSubject,
    const QStringList& Attachments, const QString& withSender, const QString& withPwd, const QString& withSMTP,
    const QString& withPort, const QString& withBody, const QString& enable_ssl);

// The shipped script; tests may put another script in front of it.
QString mailScriptPath();
void setMailScriptPath(const QString& path);

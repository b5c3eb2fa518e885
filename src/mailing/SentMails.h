#pragma once

#include "mailing/MailRun.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

// The mails that a run stopped or cut short has sent, so that sending the same mails again
// can leave them out instead of mailing their recipients twice. A mail is the same when what
// it carries (the run's card rows, mode, side, text and files: `content`) and its recipient's
// address are; a list in another order or with a recipient mended is still compared mail by
// mail.
class SentMails
{
public:
    // After a run: keeps its sent mails, with those kept before for the same content; forgets
    // them all once a run has sent every mail it set out to send.
    void record(const QByteArray& content, const MailJob& job, const MailRunResult& result);
    void clear();

    // For each of the job's mails (by MailJob::mailIndex), whether an earlier run sent it; empty
    // when none did.
    QList<bool> sentBefore(const QByteArray& content, const MailJob& job) const;

private:
    QByteArray content_;
    // Recipient address, lower case → the rows (from 0; -1 for a mail without a row) sent to it.
    QHash<QString, QSet<int>> rowsSentTo_;
};

// The question before sending mails an earlier run sent: how many, and for a batch run which
// rows. Its answers are sentBeforeAnswers(), Cancel last.
QString sentBeforeQuestion(const MailJob& job, const QList<bool>& sentBefore);
QStringList sentBeforeAnswers(const MailJob& job, const QList<bool>& sentBefore);

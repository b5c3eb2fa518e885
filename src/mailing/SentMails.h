#pragma once

#include "mailing/MailRun.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>

class SentMailRecord;

// Each of the job's mails (by MailJob::mailIndex) as the record of mails sent keeps it: its
// recipient's address with what it carries, that is the values its card shows (cardValues: a
// list per data row for a batch run; otherwise at most one, the card as it stands), the side
// and the files' name, or the person's own file, and the subject and text. A mail whose card or
// text changed is another mail; rows read again in another order keep their mails. Long cells of
// many rows take a while: made off the GUI thread, it stops early, incomplete, when `stop` is set.
QList<QByteArray> mailKeys(
    const MailJob& job, const QList<QStringList>& cardValues, const std::atomic<bool>* stop = nullptr);

// For each key, whether the record holds it; empty when it holds none.
QList<bool> mailsInRecord(const SentMailRecord& record, const QList<QByteArray>& keys);

// The question before a run that would send again mails sent before (sentBefore, by mail), or
// while the record cannot be read (doubt says why): how many, five named and the rest in the
// details. Its answers, Cancel last and the default: "Send the N Not Sent" where some are
// known not to have been sent and nothing is in doubt, and "Send All N Again".
struct SentBeforeQuestion
{
    QString text, details;
    QStringList answers;
};
SentBeforeQuestion sentBeforeQuestion(const MailJob& job, const QList<bool>& sentBefore, const QString& doubt);

#pragma once

#include "mailing/MailRun.h"
#include "mailing/SentMailStore.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>

// Each of the job's mails (by MailJob::mailIndex) as the record of mails sent keeps it: its
// recipient's address with what it carries, that is the values its card shows (cardValues: a
// list per data row for a batch run; otherwise at most one, the card as it stands), the side
// and the files' name, or the person's own file, and the subject and text. A mail whose card or
// text changed is another mail; rows read again in another order keep their mails. Long cells of
// many rows take a while: made off the GUI thread, it stops early, incomplete, when `stop` is set.
QList<QByteArray> mailKeys(
    const MailJob& job, const QList<QStringList>& cardValues, const std::atomic<bool>* stop = nullptr);

// The question before a run some of whose mails the record holds (marks, by mail), or while
// mails may be missing from it (doubt says why): how many were sent and when, how many may have
// gone when a copy of the program ended or when sending was stopped, and how many another
// copy is sending, five named in each and all in the details. Its answers, Cancel last and the
// default: "Send the N Not Sent" where some are not in the record, and "Send All N Again".
// owner is this copy's; now is the time the sent ones are told against.
struct SentBeforeQuestion
{
    QString text, details;
    QStringList answers;
    QList<bool> inRecord; // by mail: what "Send the N Not Sent" leaves out
};
SentBeforeQuestion sentBeforeQuestion(
    const MailJob& job, const SentMailStore::Marks& marks, const QString& doubt, const QString& owner, qint64 now);

// When a mail went: "today at 15:40", "on 2 December", "on 2 December 2025" before this year.
QString sentWhen(qint64 time, qint64 now);

// The question before a run when the record of mails sent cannot be used (why names its file).
QString recordUnusableQuestion(const QString& why);

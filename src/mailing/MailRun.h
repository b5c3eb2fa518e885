#pragma once

#include "jobs/JobProgress.h"
#include "mailing/MailHandoff.h"
#include "mailing/MailRunResult.h"
#include "mailing/SentMailStore.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Everything one e-mail run needs, gathered on the GUI thread before the worker starts.
struct MailJob
{
    enum class Mode
    {
        WithoutCard,
        CurrentCard,
        AllRows,
        RowPerRecipient
    };

    Mode mode = Mode::CurrentCard;
    QStringList recipients;
    QString subject, body;
    QString sender, password, server, port, securityFlag;
    QString side = QStringLiteral("F"); // "BOTH", "F" or "B"
    QString baseName = QStringLiteral("QUONCard");
    QString ownAttachment; // without-card mode: a file of the user's own, or ""
    int batchRows = 0; // cards of the batch
    // Delayed delivery: after every pauseEvery steps, pause for pauseMs (0: never).
    int pauseEvery = 1;
    int pauseMs = 0;
    // Seconds one mail may take; 0: by the size of its attachments (mailDeadlineSeconds).
    int deadlineSeconds = 0;
    // The mails an earlier run sent, true at their mailIndex(), left out of this run; empty
    // when none are.
    QList<bool> sentBefore;
    // The mails the record holds that this run sends again, as the person chose; empty when none.
    QList<bool> again;

    int steps() const;
    // The mails the run sets out to send: every row to every recipient in the all-rows mode.
    int mails() const;
    // The data rows whose cards a batch run sets out to mail; 0 for a run without rows.
    int rows() const;
    // A mail's place among mails(): that of step k (the row of a batch run) to recipient j.
    int mailIndex(int step, int recipient) const;
    // The data row (from 0) whose card the mail at that place carries, -1 for a run without
    // rows, and the recipient it goes to.
    int rowOfMail(int mail) const;
    int recipientOfMail(int mail) const;
    bool wasSentBefore(int mail) const { return mail < sentBefore.size() && sentBefore.at(mail); }
};

// What a run tells the record of mails sent, mail by mail (by MailJob::mailIndex). Called on
// the run's worker.
class MailMarks
{
public:
    virtual ~MailMarks() = default;
    using Going = SentMailStore::Going;
    // Before the mail is handed over; unless Marked or TakenByAnother, *why says why.
    virtual Going going(int mail, QString* why) = 0;
    // The server took the mail; false (and why) when that could not be written.
    virtual bool sent(int mail, QString* why) = 0;
    // The mail was surely not sent (refused, or the hand-off failed without Stop).
    virtual bool notSent(int mail, QString* why) = 0;
};

// One side's picture for a data row (-1: the card as it stands); back selects the back.
// A null image means that the card could not be drawn.
using CardRenderer = std::function<QImage(int row, bool back)>;
// One message to one recipient with the attachments; unless it was sent, *reason says why.
using MailSender
    = std::function<MailDelivery(const QString& recipient, const QStringList& attachments, QString* reason)>;

// The worker of a run: renders the attachments into a private temporary folder (removed at
// the end, whatever happens), counts the mails sent in progress.done (of progress.total
// planned), sends each step's mails, pauses with a countdown text, waits while the progress
// is held and honours a stop request before each step, between mails and every fraction of
// a pause; a mail cut short by the stop request counts as stopped, not failed. A failed
// mail ends the run; a mail whose recipient the server refused, and a batch row whose card
// cannot be attached, are left out and reported, and the run goes on with the next mail.
// Recipients past the last row of a row-per-recipient run get nothing and are reported.
// With marks, each mail is marked going before it is handed over, and the run stops before a
// mail whose mark cannot be written; a mail cut short by Stop stays marked going, as it may
// have gone.
MailRunResult runMailJob(const MailJob& job, const CardRenderer& render, const MailSender& send, JobProgress& progress,
    const std::function<void(const QString&)>& showPauseText, MailMarks* marks = nullptr);

// The hand-off with the job's account and deadline: what the window gives runMailJob. A stop
// request ends the mail on its way at once.
MailSender scriptSender(const MailJob& job, const JobProgress& progress);

#pragma once

#include "jobs/JobProgress.h"

#include <QImage>
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

    int steps() const;
};

// One side's picture for a data row (-1: the card as it stands); back selects the back.
// A null image means that the card could not be drawn.
using CardRenderer = std::function<QImage(int row, bool back)>;
// One message to one recipient with the attachments; true when it was sent.
using MailSender = std::function<bool(const QString& recipient, const QStringList& attachments)>;

// The worker of a run: renders the attachments into a private temporary folder (removed at
// the end, whatever happens), counts the steps in progress.done (the 1-based step in
// progress), sends each step's mails, pauses with a countdown text and
// honours a stop request before each step, between mails and every fraction of a pause.
// True when the last mail handed over was sent; false after a failure or with no mail sent.
bool runMailJob(const MailJob& job, const CardRenderer& render, const MailSender& send, JobProgress& progress,
    const std::function<void(const QString&)>& showPauseText);

// The hand-off with the job's account: what the window gives runMailJob.
MailSender scriptSender(const MailJob& job);

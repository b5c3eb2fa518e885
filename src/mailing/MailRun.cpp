#include "mailing/MailRun.h"

#include "jobs/CardExport.h"
#include "mailing/MailHandoff.h"
#include "mailing/PauseText.h"
#include "platform/SafeRead.h"

#include <QBuffer>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <exception>

namespace {
constexpr int stopCheckMs = 100;

class Run
{
public:
    Run(const MailJob& job, const CardRenderer& render, const MailSender& send, JobProgress& progress,
        const std::function<void(const QString&)>& showPauseText, MailMarks* marks, MailRunResult& result)
        : job_(job)
        , render_(render)
        , send_(send)
        , progress_(progress)
        , showPauseText_(showPauseText)
        , marks_(marks)
        , result_(result)
    { }

    void run()
    {
        if (!folder_.isValid()) {
            result_.failure
                = QStringLiteral("No private temporary folder for the attachments: %1").arg(folder_.errorString());
            return;
        }
        const QString front = folder_.filePath(job_.baseName + QStringLiteral(".jpeg"));
        const QString back = folder_.filePath(job_.baseName + QStringLiteral("_Back.jpeg"));
        const bool batch = job_.mode == MailJob::Mode::AllRows || job_.mode == MailJob::Mode::RowPerRecipient;
        const int steps = job_.steps();
        int sinceLastPause = 0;
        bool drawn = false;
        for (int k = 0; k < steps && mayGoOn(); ++k) {
            if (!leftToSend(k))
                continue;
            QStringList attachments;
            if (job_.mode == MailJob::Mode::WithoutCard) {
                const QString own = job_.ownAttachment.trimmed();
                if (!own.isEmpty()) {
                    // Looked at before every mail: a mail without the file the person chose
                    // must not go out as if it had it.
                    QFile file;
                    QString why;
                    if (!SafeRead::openRegularFile(file, own, &why)) {
                        result_.unreadableAttachment = own;
                        result_.failure = why;
                        return;
                    }
                    attachments << own;
                }
            } else {
                if (batch && k >= job_.batchRows)
                    break;
                const int row = batch ? k : -1;
                // The current card is drawn once and its files reused by every later step.
                const bool draw = batch || !drawn;
                QString why;
                if (!attachSides(row, draw, front, back, &attachments, &why)) {
                    if (!batch) {
                        result_.failure = why;
                        return;
                    }
                    // The other rows' guests still get theirs; this row is reported at the end.
                    result_.rowsNotAttached << k + 1;
                    result_.attachFailure = why;
                    continue;
                }
                drawn = true;
            }
            if (job_.mode == MailJob::Mode::AllRows) {
                for (int j = 0; j < job_.recipients.size(); ++j) {
                    if (!mayGoOn())
                        break;
                    if (!job_.wasSentBefore(job_.mailIndex(k, j))
                        && !sendOne(job_.recipients.at(j), attachments, k, job_.mailIndex(k, j)))
                        return;
                }
            } else if (!sendOne(job_.recipients.value(k), attachments, batch ? k : -1, k)) {
                return;
            }
            if (job_.pauseMs > 0 && ++sinceLastPause >= job_.pauseEvery) {
                sinceLastPause = 0;
                if (k + 1 < steps)
                    pause();
            }
        }
    }

private:
    bool mayGoOn() { return progress_.mayContinue(); }

    // Whether step k has a mail that no earlier run sent.
    bool leftToSend(int k) const
    {
        if (job_.mode != MailJob::Mode::AllRows)
            return !job_.wasSentBefore(k);
        for (int j = 0; j < job_.recipients.size(); ++j)
            if (!job_.wasSentBefore(job_.mailIndex(k, j)))
                return true;
        return false;
    }

    // False when the run must end. row: the batch row (from 0) whose card goes, or -1; mail:
    // its MailJob::mailIndex.
    bool sendOne(const QString& recipient, const QStringList& attachments, int row, int mail)
    {
        QString why;
        if (marks_) {
            switch (marks_->going(mail, &why)) {
            case MailMarks::Going::Marked:
                break;
            case MailMarks::Going::TakenByAnother:
                ++result_.takenByAnother;
                --result_.planned;
                return true;
            case MailMarks::Going::Failed:
                result_.recordFailure = why;
                return false;
            }
        }
        const MailDelivery delivery = send_(recipient, attachments, &why);
        // Cut short by Stop or a deadline, the mail may have gone all the same: its mark stays.
        if (marks_
            && (delivery == MailDelivery::RecipientRefused
                || (delivery == MailDelivery::Failed && !progress_.stopRequested)))
            noteUnsaved(marks_->notSent(mail, &unsaved_), unsaved_);
        switch (delivery) {
        case MailDelivery::Sent:
            progress_.done = ++result_.sent;
            result_.sentMails << mail;
            if (marks_)
                noteUnsaved(marks_->sent(mail, &unsaved_), unsaved_);
            if (mail < job_.again.size() && job_.again.at(mail))
                ++result_.sentAgain;
            if (row >= 0 && row < result_.mailsSentOfRow.size())
                ++result_.mailsSentOfRow[row];
            return true;
        case MailDelivery::RecipientRefused:
            // That address alone: the other recipients still get theirs.
            qWarning("mail to a refused recipient");
            result_.refused.append({ row + 1, recipient, why });
            return true;
        case MailDelivery::Failed:
        case MailDelivery::Unsure:
            break;
        }
        if (progress_.stopRequested)
            return false; // ended by Stop: the run says so, not that the mail failed
        qWarning("error in mail");
        result_.failure = why.isEmpty() ? QStringLiteral("The mail was not accepted.") : why;
        return false;
    }

    void noteUnsaved(bool written, const QString& why)
    {
        if (!written && result_.recordUnsaved.isEmpty())
            result_.recordUnsaved = why;
    }

    // Back before front, as the mails have always carried them.
    bool attachSides(
        int row, bool draw, const QString& front, const QString& back, QStringList* attachments, QString* why)
    {
        const bool both = job_.side == QLatin1String("BOTH");
        if (both || job_.side == QLatin1String("B")) {
            if (draw && !writeSide(row, true, back, why))
                return false;
            *attachments << back;
        }
        if (both || job_.side == QLatin1String("F")) {
            if (draw && !writeSide(row, false, front, why))
                return false;
            *attachments << front;
        }
        return true;
    }

    bool writeSide(int row, bool backSide, const QString& path, QString* why)
    {
        const QImage image = render_(row, backSide);
        if (image.isNull()) {
            *why = QStringLiteral("The card could not be drawn.");
            return false;
        }
        // JPEG has no transparency: what is see-through on the card is white in the mail.
        QImage opaque(image.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        {
            QPainter painter(&opaque);
            painter.drawImage(0, 0, image);
        }
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(92);
        if (!writer.write(opaque))
            bytes.clear();
        QString error;
        if (!writeCardFile(path, bytes, &error, CardFileUse::OneOfMany)) {
            *why = QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), error);
            return false;
        }
        return true;
    }

    void pause()
    {
        int remaining = job_.pauseMs;
        while (remaining > 0 && mayGoOn()) {
            showPauseText_(pauseText(remaining));
            const int slice = std::min(remaining, 1000);
            for (int waited = 0; waited < slice && !progress_.stopRequested; waited += stopCheckMs)
                QThread::msleep(std::min(stopCheckMs, slice - waited));
            remaining -= slice;
        }
        showPauseText_(QString());
    }

    const MailJob& job_;
    const CardRenderer& render_;
    const MailSender& send_;
    JobProgress& progress_;
    const std::function<void(const QString&)>& showPauseText_;
    MailMarks* marks_;
    MailRunResult& result_;
    QTemporaryDir folder_; // created 0700, removed with its files at the end
    QString unsaved_;
};

} // namespace

int MailJob::steps() const
{
    return mode == Mode::AllRows ? batchRows : int(recipients.size());
}

int MailJob::mails() const
{
    switch (mode) {
    case Mode::AllRows:
        return rows() * int(recipients.size());
    case Mode::RowPerRecipient:
        return rows();
    default:
        return int(recipients.size());
    }
}

int MailJob::rows() const
{
    switch (mode) {
    case Mode::AllRows:
        return batchRows;
    case Mode::RowPerRecipient:
        return std::min(batchRows, int(recipients.size()));
    default:
        return 0;
    }
}

int MailJob::mailIndex(int step, int recipient) const
{
    return mode == Mode::AllRows ? step * int(recipients.size()) + recipient : step;
}

int MailJob::rowOfMail(int mail) const
{
    switch (mode) {
    case Mode::AllRows:
        return mail / int(recipients.size());
    case Mode::RowPerRecipient:
        return mail;
    default:
        return -1;
    }
}

int MailJob::recipientOfMail(int mail) const
{
    return mode == Mode::AllRows ? mail % int(recipients.size()) : mail;
}

MailRunResult runMailJob(const MailJob& job, const CardRenderer& render, const MailSender& send, JobProgress& progress,
    const std::function<void(const QString&)>& showPauseText, MailMarks* marks)
{
    MailRunResult result;
    if (job.mode == MailJob::Mode::RowPerRecipient && job.recipients.size() > job.batchRows) {
        result.withoutRow = job.recipients.mid(job.batchRows);
        result.batchRows = job.batchRows;
    }
    result.mailsSentOfRow.fill(0, job.rows());
    // Mails an earlier run sent count as sent for their rows, not as this run's.
    for (int mail = 0; mail < job.mails(); ++mail)
        if (job.wasSentBefore(mail)) {
            ++result.sentBefore;
            if (const int row = job.rowOfMail(mail); row >= 0)
                ++result.mailsSentOfRow[row];
        }
    // Every recipient counts, so that a run that leaves some out never says it sent everything.
    result.planned = job.mails() - result.sentBefore + int(result.withoutRow.size());
    result.mailsPerRow = job.mode == MailJob::Mode::AllRows ? int(job.recipients.size()) : 1;
    progress.total = job.mails() - result.sentBefore;
    progress.done = 0;
    try {
        Run run(job, render, send, progress, showPauseText, marks, result);
        run.run();
    } catch (const std::exception& error) {
        qWarning("mail run ended by an error: %s", error.what());
        result.failure = QStringLiteral("An unexpected error ended the run: %1").arg(QString::fromUtf8(error.what()));
    } catch (...) {
        qWarning("mail run ended by an unknown error");
        result.failure = QStringLiteral("An unexpected error ended the run.");
    }
    if (!result.failure.isEmpty())
        showPauseText(QString()); // an error may have cut a pause short
    result.stopped
        = progress.stopRequested && result.failure.isEmpty() && result.recordFailure.isEmpty() && !result.allSent();
    return result;
}

MailSender scriptSender(const MailJob& job, const JobProgress& progress)
{
    return [job, &progress](const QString& recipient, const QStringList& attachments, QString* reason) {
        HandoffLimits limits;
        limits.stopRequested = [&progress] { return progress.stopRequested.load(); };
        limits.deadlineSeconds = job.deadlineSeconds;
        QProcess process;
        return sendEmail_pyth(process, recipient, job.subject, attachments, job.sender, job.password, job.server,
            job.port, job.body, job.securityFlag, reason, limits);
    };
}

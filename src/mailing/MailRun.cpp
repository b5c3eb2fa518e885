#include "mailing/MailRun.h"

#include "mailing/MailHandoff.h"
#include "mailing/PauseText.h"
#include "platform/CheckedWrite.h"

#include <QBuffer>
#include <QDebug>
#include <QDir>
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
        const std::function<void(const QString&)>& showPauseText)
        : job_(job)
        , render_(render)
        , send_(send)
        , progress_(progress)
        , showPauseText_(showPauseText)
    { }

    bool run()
    {
        if (!folder_.isValid())
            return false;
        const QString front = folder_.filePath(job_.baseName + QStringLiteral(".jpeg"));
        const QString back = folder_.filePath(job_.baseName + QStringLiteral("_Back.jpeg"));
        const bool batch = job_.mode == MailJob::Mode::AllRows || job_.mode == MailJob::Mode::RowPerRecipient;
        const int steps = job_.steps();
        int sinceLastPause = 0;
        for (int k = 0; k < steps && !stopped(); ++k) {
            progress_.done = k + 1;
            QStringList attachments;
            if (job_.mode == MailJob::Mode::WithoutCard) {
                const QString own = job_.ownAttachment.trimmed();
                if (!own.isEmpty() && QFileInfo(own).isFile())
                    attachments << own;
            } else {
                if (batch && k >= job_.batchRows) {
                    progress_.done = steps;
                    break;
                }
                const int row = batch ? k : -1;
                // The current card is drawn once and its files reused by every later step.
                const bool draw = batch || k == 0;
                if (!attachSides(row, draw, front, back, &attachments)) {
                    if (!batch)
                        return false;
                    continue; // a row whose card cannot be drawn is skipped
                }
            }
            if (job_.mode == MailJob::Mode::AllRows) {
                for (const QString& recipient : job_.recipients) {
                    if (stopped())
                        break;
                    if (!sendOne(recipient, attachments))
                        return false;
                }
            } else if (!sendOne(job_.recipients.value(k), attachments)) {
                return false;
            }
            if (job_.pauseMs > 0 && ++sinceLastPause >= job_.pauseEvery) {
                sinceLastPause = 0;
                if (k + 1 < steps)
                    pause();
            }
        }
        return lastSent_;
    }

private:
    bool stopped() const { return progress_.stopRequested; }

    bool sendOne(const QString& recipient, const QStringList& attachments)
    {
        lastSent_ = send_(recipient, attachments);
        if (!lastSent_)
            qWarning("error in mail");
        return lastSent_;
    }

    // Back before front, as the mails have always carried them.
    bool attachSides(int row, bool draw, const QString& front, const QString& back, QStringList* attachments)
    {
        const bool both = job_.side == QLatin1String("BOTH");
        if (both || job_.side == QLatin1String("B")) {
            if (draw && !writeSide(row, true, back))
                return false;
            *attachments << back;
        }
        if (both || job_.side == QLatin1String("F")) {
            if (draw && !writeSide(row, false, front))
                return false;
            *attachments << front;
        }
        return true;
    }

    bool writeSide(int row, bool backSide, const QString& path)
    {
        const QImage image = render_(row, backSide);
        if (image.isNull())
            return false;
        // JPEG has no transparency: what is see-through on the card is white in the mail.
        QImage opaque(image.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        {
            QPainter painter(&opaque);
            painter.drawImage(0, 0, image);
        }
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(92);
        QString reason = QStringLiteral("the picture could not be encoded");
        if (writer.write(opaque) && writeFileChecked(path, jpeg, &reason))
            return true;
        qWarning().noquote() << QStringLiteral("Cannot write the attachment %1: %2").arg(path, reason);
        return false;
    }

    void pause()
    {
        int remaining = job_.pauseMs;
        while (remaining > 0 && !stopped()) {
            showPauseText_(pauseText(remaining));
            const int slice = std::min(remaining, 1000);
            for (int waited = 0; waited < slice && !stopped(); waited += stopCheckMs)
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
    QTemporaryDir folder_; // created 0700, removed with its files at the end
    bool lastSent_ = false;
};
} // namespace

int MailJob::steps() const
{
    return mode == Mode::AllRows ? batchRows : int(recipients.size());
}

bool runMailJob(const MailJob& job, const CardRenderer& render, const MailSender& send, JobProgress& progress,
    const std::function<void(const QString&)>& showPauseText)
{
    progress.total = job.steps();
    progress.done = 0;
    try {
        Run run(job, render, send, progress, showPauseText);
        return run.run();
    } catch (const std::exception& error) {
        qWarning("mail run ended by an error: %s", error.what());
    } catch (...) {
        qWarning("mail run ended by an unknown error");
    }
    showPauseText(QString());
    return false;
}

MailSender scriptSender(const MailJob& job)
{
    return [job](const QString& recipient, const QStringList& attachments) {
        QProcess process;
        return sendEmail_pyth(process, recipient, job.subject, attachments, job.sender, job.password, job.server,
            job.port, job.body, job.securityFlag);
    };
}

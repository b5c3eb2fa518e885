// Mails per minute of an all-rows run of 200 rows (one recipient, both sides attached)
// against a local STARTTLS server, and the resident memory as the run goes on.
#include "LocalServerMailJob.h"
#include "LocalSmtpServer.h"
#include "ResidentMemory.h"

#include "mailing/MailRun.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const int rows = argc > 1 ? atoi(argv[1]) : 200;
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls);
    if (!server.isListening())
        return 1;
    TrustingMailScript script(server.caFile());
    MailJob job = localServerMailJob(server, MailJob::Mode::AllRows);
    job.batchRows = rows;
    job.recipients = { QStringLiteral("guest@example.org") };
    job.side = QStringLiteral("BOTH");
    const CardRenderer render = benchCard;
    JobProgress progress;
    const MailSender send = scriptSender(job, progress);
    int sent = 0;
    const MailSender measuring = [&](const QString& to, const QStringList& files, QString* reason) {
        const MailDelivery delivery = send(to, files, reason);
        if (++sent % 50 == 0)
            std::printf("after %d mails: %ld KiB resident\n", sent, residentKiB());
        return delivery;
    };
    QElapsedTimer clock;
    clock.start();
    const MailRunResult result = runMailJob(job, render, measuring, progress, [](const QString&) {});
    const bool ok = result.allSent();
    const double seconds = clock.elapsed() / 1000.0;
    std::printf("%d mails in %.1f s: %.0f mails per minute (%s)\n", sent, seconds, sent * 60.0 / seconds,
        ok ? "all sent" : qPrintable(mailRunMessage(result)));
    return ok ? 0 : 1;
}

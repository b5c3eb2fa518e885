// Mails per minute of an all-rows run of 200 rows (one recipient, both sides attached)
// against a local STARTTLS server, and the resident memory as the run goes on.
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
    MailJob job;
    job.mode = MailJob::Mode::AllRows;
    job.batchRows = rows;
    job.recipients = { QStringLiteral("guest@example.org") };
    job.side = QStringLiteral("BOTH");
    job.subject = QStringLiteral("Invitation");
    job.body = QStringLiteral("Welcome!");
    job.sender = QStringLiteral("host@example.com");
    job.password = QStringLiteral("secret");
    job.server = QStringLiteral("127.0.0.1");
    job.port = server.port();
    job.securityFlag = QStringLiteral("N");
    const CardRenderer render = [](int row, bool back) {
        QImage image(1011, 638, QImage::Format_ARGB32); // a plastic card at 300 dpi
        image.fill(QColor(back ? 200 : 30, row % 256, 120));
        return image;
    };
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

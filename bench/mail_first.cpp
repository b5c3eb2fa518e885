// Seconds from Send to the first mail accepted by a local STARTTLS server, for a pasted list of
// recipients (10,000 by default): without the recipient check, with the check that asks the
// mail script about every recipient (as the program did), and with the check as it is.
#include "LocalServerMailJob.h"
#include "LocalSmtpServer.h"

#include "mailing/MailAddresses.h"
#include "mailing/MailHandoff.h"
#include "mailing/MailRun.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>

#include <algorithm>
#include <cstdio>

namespace {

// The check as it was: every recipient read by the script's own header machinery.
QString everyRecipientAskedOfTheScript(const QStringList& recipients)
{
    QByteArray lines;
    for (const QString& recipient : recipients)
        lines += recipient.toUtf8() + '\t' + mailboxAddress(recipient).toUtf8() + '\n';
    QProcess process;
    process.start(QStringLiteral("/usr/bin/python3"),
        { QStringLiteral(GALAVITE_SOURCE_DIR "/resources/pyth_mail.py"), QStringLiteral("--check-recipients") });
    process.waitForStarted();
    process.write(lines);
    process.closeWriteChannel();
    process.waitForFinished(-1);
    return process.exitCode() == 0 ? QString() : QString::fromUtf8(process.readAllStandardError());
}

enum class Check
{
    None,
    Old,
    New
};

double secondsToFirstMail(const LocalSmtpServer& server, const QString& pasted, Check check)
{
    QElapsedTimer clock;
    clock.start();
    MailJob job = localServerMailJob(server, MailJob::Mode::CurrentCard);
    job.recipients = parseRecipients(pasted).recipients;
    QString refused;
    if (check == Check::Old)
        refused = everyRecipientAskedOfTheScript(job.recipients);
    else if (check == Check::New)
        refused = recipientsTheScriptRefuses(job.recipients);
    if (!refused.isEmpty()) {
        std::printf("refused: %s\n", qPrintable(refused));
        return -1;
    }
    const CardRenderer render = benchCard;
    JobProgress progress;
    const MailSender send = scriptSender(job, progress);
    double seconds = -1;
    const MailSender firstOnly = [&](const QString& to, const QStringList& files, QString* reason) {
        const MailDelivery delivery = send(to, files, reason);
        if (delivery == MailDelivery::Sent && seconds < 0)
            seconds = clock.elapsed() / 1000.0;
        progress.stopRequested = true;
        return delivery;
    };
    runMailJob(job, render, firstOnly, progress, [](const QString&) {});
    return seconds;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

void measure(const char* title, const LocalSmtpServer& server, const QString& pasted, int rounds)
{
    QList<double> none, old, now;
    // Interleaved, so that a slower moment of the machine falls on all three.
    for (int round = 0; round < rounds; ++round) {
        none << secondsToFirstMail(server, pasted, Check::None);
        old << secondsToFirstMail(server, pasted, Check::Old);
        now << secondsToFirstMail(server, pasted, Check::New);
    }
    const double base = median(none);
    std::printf("%s\n  no check:           %.3f s\n  script checks all:  %.3f s (%.2fx)\n  check as it is now: "
                "%.3f s (%.2fx)\n",
        title, base, median(old), median(old) / base, median(now), median(now) / base);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const int count = argc > 1 ? atoi(argv[1]) : 10000;
    const int rounds = argc > 2 ? atoi(argv[2]) : 5;
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls, 1000000);
    if (!server.isListening())
        return 1;
    TrustingMailScript script(server.caFile());
    QStringList plain, named;
    for (int i = 0; i < count; ++i) {
        plain << QStringLiteral("member%1@club.example.org").arg(i);
        // Every third with a name, as an address book writes it.
        named << (i % 3 == 0 ? QStringLiteral("Anna Member%1 <m%1@club.example.org>").arg(i)
                             : QStringLiteral("m%1@club.example.org").arg(i));
    }
    std::printf("Send to the first mail, %d recipients, median of %d:\n", count, rounds);
    measure("addresses alone:", server, plain.join(QStringLiteral(", ")), rounds);
    measure("a third with plain names:", server, named.join(QStringLiteral(", ")), rounds);
    // What the script must still read: names it alone can judge.
    QStringList quoted;
    for (int i = 0; i < count; ++i)
        quoted << QStringLiteral("\"M\u00fcller, Anna %1\" <m%1@club.example.org>").arg(i);
    measure("every name quoted, with letters outside ASCII:", server, quoted.join(QStringLiteral(", ")), 1);
    return 0;
}

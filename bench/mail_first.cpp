// Seconds from Send to the first mail accepted by a local STARTTLS server, for pasted lists of
// 10,000 and 100,000 recipients written in the forms clubs keep them in: without the recipient
// check, with the check judging as it did before (the script read every name that was not plain
// ASCII words), and with the check as it is. Arguments: the list sizes (default 10000 100000);
// MAIL_FIRST_ROUNDS sets the rounds whose median is shown (default 3).
#include "LocalServerMailJob.h"
#include "LocalSmtpServer.h"
#include "PreviousPlainRecipient.h"

#include "mailing/MailAddresses.h"
#include "mailing/MailHandoff.h"
#include "mailing/MailRun.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

enum class Check
{
    None,
    Previous,
    Now
};

double secondsToFirstMail(const LocalSmtpServer& server, const QString& pasted, Check check)
{
    QElapsedTimer clock;
    clock.start();
    MailJob job = localServerMailJob(server, MailJob::Mode::CurrentCard);
    job.recipients = parseRecipients(pasted).recipients;
    QString refused;
    if (check == Check::Previous)
        refused = recipientsTheScriptRefuses(job.recipients, {}, previous::isPlainRecipient);
    else if (check == Check::Now)
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
    QList<double> none, before, now;
    // Interleaved, so that a slower moment of the machine falls on all three.
    for (int round = 0; round < rounds; ++round) {
        none << secondsToFirstMail(server, pasted, Check::None);
        before << secondsToFirstMail(server, pasted, Check::Previous);
        now << secondsToFirstMail(server, pasted, Check::Now);
    }
    const double base = median(none);
    std::printf("  %-34s no check %6.3f s | check before %7.3f s (%5.2fx) | check now %6.3f s (%4.2fx)\n", title, base,
        median(before), median(before) / base, median(now), median(now) / base);
    std::fflush(stdout);
}

QString list(int count, const std::function<QString(int)>& recipient)
{
    QStringList recipients;
    for (int i = 0; i < count; ++i)
        recipients << recipient(i);
    return recipients.join(QStringLiteral(", "));
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QList<int> counts;
    for (int i = 1; i < argc; ++i)
        counts << atoi(argv[i]);
    if (counts.isEmpty())
        counts = { 10000, 100000 };
    const int rounds = qEnvironmentVariableIsSet("MAIL_FIRST_ROUNDS")
        ? std::max(1, qEnvironmentVariableIntValue("MAIL_FIRST_ROUNDS"))
        : 3;
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls, 1000000);
    if (!server.isListening())
        return 1;
    TrustingMailScript script(server.caFile());
    // The forms of a club's list, as address books and mail programs write them.
    const QStringList forms = {
        QStringLiteral("m%1@club.example.org"),
        QStringLiteral("Anna Member%1 <m%1@club.example.org>"),
        QStringLiteral("\"M\u00fcller, Anna %1\" <m%1@club.example.org>"),
        QStringLiteral("J\u00fcrgen M\u00fcller-L\u00fcdenscheidt <m%1@club.example.org>"),
        QStringLiteral("=?utf-8?q?Bj=C3=B6rk_Gu=C3=B0mundsd=C3=B3ttir?= <m%1@club.example.org>"),
        QStringLiteral("\"Dr. Anna \\\"Anni\\\" Smith\" <m%1@club.example.org>"),
    };
    for (const int count : counts) {
        std::printf("Send to the first mail, %d recipients, median of %d:\n", count, rounds);
        measure("addresses alone:", server, list(count, [&](int i) { return forms[0].arg(i); }), rounds);
        measure("a third with plain names:", server,
            list(count, [&](int i) { return forms[i % 3 == 0 ? 1 : 0].arg(i); }), rounds);
        measure(
            "quoted, beyond ASCII, with a comma:", server, list(count, [&](int i) { return forms[2].arg(i); }), rounds);
        measure(
            "every form in turn:", server, list(count, [&](int i) { return forms[i % forms.size()].arg(i); }), rounds);
    }
    return 0;
}

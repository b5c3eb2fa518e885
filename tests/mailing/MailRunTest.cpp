#include "LocalSmtpServer.h"
#include "support/FullFolder.h"

#include "mailing/MailHandoff.h"
#include "mailing/MailRun.h"
#include "mailing/SentMails.h"
#include "mailing/StoreMarks.h"
#include "platform/CheckedWrite.h"
#include "support/Patience.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QMutex>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <stdexcept>
#include <sys/mount.h>
#include <sys/stat.h>

namespace {
QStringList recipients(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("guest%1@example.org").arg(i);
    return list;
}

// Each row's side a different colour, so a mixed-up row would show.
QImage card(int row, bool back)
{
    QImage image(40, 25, QImage::Format_ARGB32);
    image.fill(QColor(back ? 200 : 20, 10 * (row + 1), 90));
    return image;
}

// Records what would have been sent, without a server.
struct RecordingSender
{
    QStringList to;
    QList<QStringList> attachments;
    bool existed = true;
    int failAt = -1;
    MailSender sender()
    {
        return [this](const QString& recipient, const QStringList& files, QString* reason) {
            for (const QString& file : files)
                existed = existed && QFileInfo::exists(file);
            to << recipient;
            attachments << files;
            if (to.size() - 1 != failAt)
                return MailDelivery::Sent;
            *reason = QStringLiteral("The server refused the login: 535 no");
            return MailDelivery::Failed;
        };
    }
};

MailJob batchJob(MailJob::Mode mode, int rows, int recipientCount)
{
    MailJob job;
    job.mode = mode;
    job.batchRows = rows;
    job.recipients = recipients(recipientCount);
    return job;
}

// Mails without a card to the local server over TLS.
MailJob withoutCardJob(const LocalSmtpServer& server, int recipientCount)
{
    MailJob job = batchJob(MailJob::Mode::WithoutCard, 0, recipientCount);
    job.subject = QStringLiteral("Hi");
    job.sender = QStringLiteral("host@example.com");
    job.server = QStringLiteral("127.0.0.1");
    job.port = server.port();
    job.securityFlag = QStringLiteral("Y");
    return job;
}

const auto noPauseText = [](const QString&) {};

} // namespace

TEST(MailRun, AllRowsThroughTheServerSendsEveryRowToEveryRecipientBackFirst)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    MailJob job = batchJob(MailJob::Mode::AllRows, 4, 2);
    job.side = QStringLiteral("BOTH");
    job.subject = QStringLiteral("Einladung für Sie");
    job.body = QStringLiteral("Wir freuen uns – bis bald!");
    job.sender = QStringLiteral("host@example.com");
    job.password = QStringLiteral("secret");
    job.server = QStringLiteral("127.0.0.1");
    job.port = server.port();
    job.securityFlag = QStringLiteral("N");
    job.baseName = QStringLiteral("Party");
    JobProgress progress;

    ASSERT_TRUE(runMailJob(job, card, scriptSender(job, progress), progress, noPauseText).allSent());
    // The counter counts mails: every row to every recipient.
    EXPECT_EQ(progress.total, 8);
    EXPECT_EQ(progress.done, 8);
    ASSERT_TRUE(server.waitForMails(8));
    const QList<QJsonObject> mails = server.mails();
    ASSERT_EQ(mails.size(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(mails[i][u"to"].toArray().at(0).toString(), job.recipients.at(i % 2));
        EXPECT_EQ(mails[i][u"subject"].toString(), job.subject);
        EXPECT_EQ(mails[i][u"body"].toString(), job.body + QStringLiteral("\r\n"));
        const QJsonArray files = mails[i][u"attachments"].toArray();
        ASSERT_EQ(files.size(), 2);
        EXPECT_EQ(files[0][u"name"].toString(), QStringLiteral("Party_Back.jpeg"));
        EXPECT_EQ(files[1][u"name"].toString(), QStringLiteral("Party.jpeg"));
        for (const auto& file : files) {
            EXPECT_EQ(file[u"type"].toString(), QStringLiteral("image/jpeg"));
            EXPECT_TRUE(file[u"head"].toString().startsWith(u"ffd8ff"));
        }
    }
    EXPECT_EQ(server.authPasswords().size(), 8);
}

// Recipients past the last row get nothing, and the run never says that everybody got theirs.
TEST(MailRun, RowPerRecipientStopsAtTheShorterListAndCountsEveryRecipient)
{
    for (const auto& [rows, count] : { std::pair { 3, 5 }, std::pair { 5, 3 } }) {
        RecordingSender recording;
        JobProgress progress;
        const MailRunResult result = runMailJob(
            batchJob(MailJob::Mode::RowPerRecipient, rows, count), card, recording.sender(), progress, noPauseText);
        EXPECT_EQ(recording.to, recipients(3)) << rows << " rows";
        EXPECT_EQ(progress.total, 3);
        EXPECT_EQ(result.allSent(), count <= rows);
        EXPECT_EQ(result.withoutRow, recipients(count).mid(rows));
        EXPECT_EQ(mailRunMessage(result).endsWith(QStringLiteral("E-mails sent: 3 of 5.")), count > rows);
    }
}

TEST(MailRun, CurrentCardIsDrawnOnceAndItsFilesGoWithTheRun)
{
    int drawn = 0;
    const CardRenderer counting = [&](int row, bool back) {
        ++drawn;
        EXPECT_EQ(row, -1);
        return card(0, back);
    };
    RecordingSender recording;
    JobProgress progress;
    MailJob job = batchJob(MailJob::Mode::CurrentCard, 0, 3);
    job.side = QStringLiteral("B");
    EXPECT_TRUE(runMailJob(job, counting, recording.sender(), progress, noPauseText).allSent());
    EXPECT_EQ(drawn, 1);
    ASSERT_EQ(recording.attachments.size(), 3);
    EXPECT_EQ(QFileInfo(recording.attachments[2].value(0)).fileName(), QStringLiteral("QUONCard_Back.jpeg"));
    EXPECT_TRUE(recording.existed);
    const QString file = recording.attachments[0].value(0);
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(file).path()));
}

TEST(MailRun, FailureAndErrorsEndTheRunAndRemoveTheFiles)
{
    RecordingSender recording;
    recording.failAt = 1;
    JobProgress progress;
    const MailRunResult failed
        = runMailJob(batchJob(MailJob::Mode::AllRows, 3, 2), card, recording.sender(), progress, noPauseText);
    EXPECT_EQ(recording.to.size(), 2);
    EXPECT_EQ(failed.sent, 1);
    EXPECT_EQ(progress.done, 1);
    const QString message = mailRunMessage(failed);
    EXPECT_TRUE(message.startsWith(QStringLiteral("Could not send email message.\nPlease make sure that:")));
    EXPECT_TRUE(
        message.endsWith(QStringLiteral("\n\nReason: The server refused the login: 535 no\n\nRows sent to some "
                                        "of their recipients: 1.\nRows not sent: 2–3.\n\nE-mails sent: 1 of 6.")))
        << message.toStdString();
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(recording.attachments[0].value(0)).path()));

    RecordingSender second;
    const CardRenderer throwing = [](int row, bool back) -> QImage {
        if (row == 1)
            throw std::runtime_error("broken row");
        return card(row, back);
    };
    const MailRunResult broken
        = runMailJob(batchJob(MailJob::Mode::AllRows, 3, 1), throwing, second.sender(), progress, noPauseText);
    EXPECT_FALSE(broken.allSent());
    EXPECT_TRUE(broken.failure.contains(QStringLiteral("broken row")));
    EXPECT_EQ(second.to.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(second.attachments[0].value(0)).path()));

    // A row that cannot be drawn is left out and named; no mail at all is no success.
    RecordingSender third;
    const CardRenderer blank = [](int, bool) { return QImage(); };
    const MailRunResult none
        = runMailJob(batchJob(MailJob::Mode::AllRows, 2, 1), blank, third.sender(), progress, noPauseText);
    EXPECT_FALSE(none.allSent());
    EXPECT_EQ(none.rowsNotAttached, (QList<int> { 1, 2 }));
    EXPECT_TRUE(third.to.isEmpty());
}

TEST(MailRun, PausesAfterEveryNStepsButNotAfterTheLast)
{
    RecordingSender recording;
    JobProgress progress;
    QStringList texts;
    QList<int> sentBeforePause;
    MailJob job = batchJob(MailJob::Mode::WithoutCard, 0, 5);
    job.pauseEvery = 2;
    job.pauseMs = 1000;
    runMailJob(job, card, recording.sender(), progress, [&](const QString& text) {
        if (!text.isEmpty())
            sentBeforePause << recording.to.size();
        texts << text;
    });
    EXPECT_EQ(recording.to.size(), 5);
    EXPECT_EQ(sentBeforePause, (QList<int> { 2, 4 }));
    EXPECT_EQ(texts,
        (QStringList { QStringLiteral("Pausing the process for 1 Second."), QString(),
            QStringLiteral("Pausing the process for 1 Second."), QString() }));
}

TEST(MailRun, DelayedDeliveryThroughTheServerLeavesTheGaps)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::ImplicitTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    MailJob job = withoutCardJob(server, 3);
    job.pauseMs = 1000;
    JobProgress progress;
    ASSERT_TRUE(runMailJob(job, card, scriptSender(job, progress), progress, noPauseText).allSent());
    ASSERT_TRUE(server.waitForMails(3));
    const QList<QJsonObject> mails = server.mails();
    for (int i = 1; i < 3; ++i)
        EXPECT_GE(mails[i][u"time"].toDouble() - mails[i - 1][u"time"].toDouble(), 0.95);
}

TEST(MailRun, StopDuringAPauseEndsTheRunWithinASecond)
{
    RecordingSender recording;
    JobProgress progress;
    MailJob job = batchJob(MailJob::Mode::WithoutCard, 0, 3);
    job.pauseMs = 3600'000;
    QElapsedTimer stoppedAt;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        runMailJob(job, card, recording.sender(), progress, [&](const QString& text) {
            if (!text.isEmpty() && !stoppedAt.isValid()) {
                stoppedAt.start();
                progress.stopRequested = true;
            }
        });
    }));
    worker->start();
    ASSERT_TRUE(worker->wait(patience::generousMs));
    // On purpose a bound: Stop ends the hour-long pause at once, not after it.
    EXPECT_LT(stoppedAt.elapsed(), 60000);
    EXPECT_EQ(recording.to.size(), 1);
}

// The rows are named so that sending again can go to the rows left alone.
TEST(MailRun, AStoppedRunSaysWhichRowsWentAndHowManyMailsOfHowMany)
{
    RecordingSender recording;
    JobProgress progress;
    const MailSender stopping = [&](const QString& to, const QStringList& files, QString* reason) {
        const MailDelivery sent = recording.sender()(to, files, reason);
        if (recording.to.size() == 3)
            progress.stopRequested = true; // as Stop does, between two mails of a row
        return sent;
    };
    const MailRunResult result
        = runMailJob(batchJob(MailJob::Mode::AllRows, 3, 2), card, stopping, progress, noPauseText);
    EXPECT_EQ(recording.to.size(), 3);
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(progress.done, 3);
    EXPECT_EQ(progress.total, 6);
    EXPECT_EQ(mailRunMessage(result),
        QStringLiteral("Sending was stopped.\n\nRows sent: 1.\nRows sent to some of their recipients: 2.\nRows not "
                       "sent: 3.\n\nE-mails sent: 3 of 6."));
}

TEST(MailRun, AHeldRunSendsNothingUntilReleased)
{
    RecordingSender recording;
    JobProgress progress;
    MailJob job = batchJob(MailJob::Mode::WithoutCard, 0, 4);
    std::atomic<int> sent { 0 };
    const MailSender holding = [&](const QString& to, const QStringList& files, QString* reason) {
        if (sent == 1)
            progress.hold(); // the Stop question opens after the first mail
        const MailDelivery handed = recording.sender()(to, files, reason);
        ++sent;
        return handed;
    };
    MailRunResult result;
    std::unique_ptr<QThread> worker(
        QThread::create([&] { result = runMailJob(job, card, holding, progress, noPauseText); }));
    worker->start();
    // The mail on its way when the question opened still goes; then nothing, however long.
    for (int waited = 0; sent < 2 && waited < 20000; waited += 10)
        QThread::msleep(10);
    QThread::msleep(300);
    EXPECT_EQ(sent, 2);
    progress.release(); // "No"
    ASSERT_TRUE(worker->wait(patience::generousMs));
    EXPECT_TRUE(result.allSent());

    // "Yes" while a row goes to every recipient: not one more mail, not even of that row.
    RecordingSender rowMails;
    JobProgress asked;
    std::unique_ptr<QThread> answer;
    const MailSender stopAsked = [&](const QString& to, const QStringList& files, QString* reason) {
        const MailDelivery handed = rowMails.sender()(to, files, reason);
        if (rowMails.to.size() == 2) {
            asked.hold();
            answer.reset(QThread::create([&] {
                asked.stopRequested = true;
                asked.release();
            }));
            answer->start();
        }
        return handed;
    };
    EXPECT_TRUE(runMailJob(batchJob(MailJob::Mode::AllRows, 2, 3), card, stopAsked, asked, noPauseText).stopped);
    ASSERT_TRUE(answer && answer->wait(patience::generousMs));
    EXPECT_EQ(rowMails.to.size(), 2);
}

TEST(MailRun, RowsWhoseCardsCannotBeWrittenAreFailedRowsNotSentOnes)
{
    // The attachments go to the temporary folder; make it a full disk.
    FullFolder disk;
    const QByteArray savedTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(disk.path()));
    disk.fill();
    RecordingSender recording;
    JobProgress progress;
    const MailRunResult result
        = runMailJob(batchJob(MailJob::Mode::RowPerRecipient, 3, 3), card, recording.sender(), progress, noPauseText);
    qputenv("TMPDIR", savedTemp);
    if (savedTemp.isNull())
        qunsetenv("TMPDIR");

    EXPECT_TRUE(recording.to.isEmpty());
    EXPECT_EQ(result.sent, 0);
    EXPECT_EQ(result.rowsNotAttached, (QList<int> { 1, 2, 3 }));
    const QString message = mailRunMessage(result);
    EXPECT_FALSE(message.contains(QStringLiteral("successfully")));
    EXPECT_TRUE(message.startsWith(QStringLiteral("The cards of rows 1, 2, 3 could not be attached")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(disk.expectedReason())) << message.toStdString();
    EXPECT_TRUE(message.endsWith(QStringLiteral("E-mails sent: 0 of 3."))) << message.toStdString();
}

TEST(MailRun, AnOwnAttachmentThatCannotBeReadFailsTheRunWithItsReasonAndSendsNothingWithoutIt)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::ImplicitTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("programme.pdf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString readable = dir.filePath(QStringLiteral("map.pdf"));
    {
        QFile file(readable);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("%PDF-1.4 the way to the party");
    }
    MailJob job = withoutCardJob(server, 2);

    const struct
    {
        QString path, reason;
    } unreadable[] = {
        { dir.filePath(QStringLiteral("gone.pdf")), qt_error_string(ENOENT) },
        { dir.path(), QStringLiteral("It is not a regular file.") },
        { fifo, QStringLiteral("It is not a regular file.") },
    };
    for (const auto& [path, reason] : unreadable) {
        job.ownAttachment = path;
        JobProgress progress;
        const MailRunResult result = runMailJob(job, card, scriptSender(job, progress), progress, noPauseText);
        EXPECT_FALSE(result.allSent()) << path.toStdString();
        EXPECT_EQ(result.sent, 0);
        const QString message = mailRunMessage(result);
        EXPECT_FALSE(message.contains(QStringLiteral("successfully"))) << message.toStdString();
        EXPECT_TRUE(message.contains(path + QStringLiteral(": ") + reason)) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("E-mails sent: 0 of 2."))) << message.toStdString();
    }

    // The first mails the server sees are those of the readable file, each carrying it.
    job.ownAttachment = readable;
    JobProgress progress;
    ASSERT_TRUE(runMailJob(job, card, scriptSender(job, progress), progress, noPauseText).allSent());
    ASSERT_TRUE(server.waitForMails(2));
    for (const QJsonObject& mail : server.mails()) {
        const QJsonArray files = mail[u"attachments"].toArray();
        ASSERT_EQ(files.size(), 1);
        EXPECT_EQ(files[0][u"name"].toString(), QStringLiteral("map.pdf"));
    }
}

TEST(MailRun, AServerThatTricklesItsRepliesHoldsNoRun)
{
    // Stop ends the mail that the server holds, at its greeting or after the message, and the
    // script with it; the first mail went.
    for (const auto mode : { LocalSmtpServer::Mode::TrickleGreeting, LocalSmtpServer::Mode::TrickleAfterData }) {
        LocalSmtpServer server(mode);
        ASSERT_TRUE(server.isListening());
        TrustingMailScript script(server.caFile());
        const MailJob job = withoutCardJob(server, 3);
        JobProgress progress;
        MailRunResult result;
        std::unique_ptr<QThread> worker(QThread::create(
            [&] { result = runMailJob(job, card, scriptSender(job, progress), progress, noPauseText); }));
        worker->start();
        ASSERT_TRUE(server.waitForTrickle(2));
        const qint64 pid = script.recordedPid();
        ASSERT_TRUE(processExists(pid));
        QElapsedTimer sinceStop;
        sinceStop.start();
        progress.stopRequested = true;
        ASSERT_TRUE(worker->wait(patience::generousMs));
        // On purpose a bound, and a generous one: the server would hold the mail for minutes.
        EXPECT_LT(sinceStop.elapsed(), 15000);
        EXPECT_FALSE(processExists(pid));
        EXPECT_EQ(mailRunMessage(result), QStringLiteral("Sending was stopped.\n\nE-mails sent: 1 of 3."));
    }

    // Without a Stop the mail fails once its deadline has passed: the script keeps it itself. The
    // server has the message, so it stays marked as one that may have gone.
    {
        LocalSmtpServer server(LocalSmtpServer::Mode::TrickleAfterData, 0);
        ASSERT_TRUE(server.isListening());
        TrustingMailScript script(server.caFile());
        MailJob job = withoutCardJob(server, 2);
        job.deadlineSeconds = 2;
        JobProgress progress;
        QTemporaryDir folder;
        auto store = std::make_shared<SentMailStore>(folder.filePath(QStringLiteral("r.sqlite")), QString(), QString());
        const QList<QByteArray> keys = mailKeys(job, {});
        StoreMarks marks(store, keys, *store->marks(keys));
        const MailRunResult result = runMailJob(job, card, scriptSender(job, progress), progress, noPauseText, &marks);
        EXPECT_EQ(store->marks(keys)->at(0)->state, SentMailStore::State::Going);
        EXPECT_FALSE(result.stopped);
        const QString message = mailRunMessage(result);
        EXPECT_TRUE(message.endsWith(QStringLiteral("\n\nReason: Sending the e-mail to the server 127.0.0.1 timed "
                                                    "out: it took longer than 2 seconds.\n\nE-mails sent: 0 of 2.")))
            << message.toStdString();
        EXPECT_FALSE(processExists(script.recordedPid()));
    }

    // A script that keeps no deadline is ended a little past it.
    {
        SleepingMailScript sleeper;
        MailJob job = batchJob(MailJob::Mode::WithoutCard, 0, 1);
        job.server = QStringLiteral("mail.example.org");
        job.deadlineSeconds = 1;
        JobProgress progress;
        QElapsedTimer clock;
        clock.start();
        const MailRunResult result = runMailJob(job, card, scriptSender(job, progress), progress, noPauseText);
        EXPECT_LT(clock.elapsed(), 120000); // not the script's ten minutes
        EXPECT_EQ(result.failure,
            QStringLiteral(
                "Sending the e-mail to the server mail.example.org timed out: the mail script did not end within 11 "
                "seconds, so it was ended."));
        EXPECT_FALSE(processExists(sleeper.pid()));
    }
}

TEST(MailRun, ARecipientTheServerRefusesIsAMailNotSentAndTheRunGoesOn)
{
    // Row per recipient through the real server, which refuses the second address with 550.
    const QStringList guests = recipients(3);
    LocalSmtpServer server(LocalSmtpServer::Mode::ImplicitTls, 1, { guests.at(1) });
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    MailJob job = withoutCardJob(server, 3);
    job.mode = MailJob::Mode::RowPerRecipient;
    job.batchRows = 3;
    JobProgress progress;
    const MailRunResult result = runMailJob(job, card, scriptSender(job, progress), progress, noPauseText);
    EXPECT_EQ(result.sent, 2);
    ASSERT_TRUE(server.waitForMails(2));
    const QList<QJsonObject> mails = server.mails();
    ASSERT_EQ(mails.size(), 2);
    EXPECT_EQ(mails[0][u"to"].toArray().at(0).toString(), guests.at(0));
    EXPECT_EQ(mails[1][u"to"].toArray().at(0).toString(), guests.at(2));
    EXPECT_EQ(mailRunMessage(result),
        QStringLiteral("1 e-mail was not sent: the server refused its recipient (row 2: %1).\n\nE-mails sent: 2 of 3.")
            .arg(guests.at(1)));
    const QString details = mailRunDetails(result);
    EXPECT_TRUE(
        details.startsWith(QStringLiteral("Row 2: The server refused the recipient %1: 550 ").arg(guests.at(1))))
        << details.toStdString();

    // A failure of the connection still ends the run, and the message says which rows went.
    RecordingSender recording;
    recording.failAt = 2;
    const MailRunResult ended
        = runMailJob(batchJob(MailJob::Mode::RowPerRecipient, 5, 5), card, recording.sender(), progress, noPauseText);
    EXPECT_EQ(recording.to.size(), 3);
    EXPECT_TRUE(
        mailRunMessage(ended).endsWith(QStringLiteral("Reason: The server refused the login: 535 no\n\nRows "
                                                      "sent: 1–2.\nRows not sent: 3–5.\n\nE-mails sent: 2 of 5.")))
        << mailRunMessage(ended).toStdString();
}

// The record of mails sent stops the run before a mail it cannot mark, and a record on a full
// or read-only disk, a link, a FIFO, a damaged file or one another program holds locked is
// told as unusable, never read as empty.
TEST(MailRun, AMailWhoseMarkCannotBeWrittenIsNotSentAndAnUnusableRecordIsNeverTakenForAnEmptyOne)
{
    const QList<QByteArray> keys = mailKeys(batchJob(MailJob::Mode::WithoutCard, 0, 500), {});
    const auto expectRefused = [&keys](const QString& path, const QString& why) {
        SentMailStore store(path, QStringLiteral("me"), QString());
        QString told;
        EXPECT_FALSE(store.marks(keys, &told));
        EXPECT_TRUE(told.startsWith(path) && told.endsWith(why)) << told.toStdString();
        EXPECT_EQ(store.markGoing(keys.at(0), std::nullopt, 2), SentMailStore::Going::Failed);
    };
    FullFolder full;
    const QString path = full.filePath(QStringLiteral("Sent mails.sqlite"));
    auto store = std::make_shared<SentMailStore>(path, QStringLiteral("me"), QString());
    const QList<QByteArray> three = keys.first(3);
    StoreMarks marks(store, three, store->marks(three).value());
    RecordingSender recording;
    const MailSender fillingUp = [&](const QString& to, const QStringList& files, QString* reason) {
        full.fill(); // the disk fills while the first mail is with the server
        return recording.sender()(to, files, reason);
    };
    JobProgress progress;
    const QString message = mailRunMessage(
        runMailJob(batchJob(MailJob::Mode::RowPerRecipient, 3, 3), card, fillingUp, progress, noPauseText, &marks));
    EXPECT_EQ(recording.to.size(), 1);
    EXPECT_TRUE(message.startsWith(QStringLiteral("Sending was stopped before the next e-mail, as the record of "
                                                  "e-mails sent cannot be written: %1: ")
                                       .arg(path))
        && message.contains(QStringLiteral("Rows sent: 1.\nRows not sent: 2–3.\n\nE-mails sent: 1 of 3."))
        && message.contains(QStringLiteral("The record of e-mails sent could not be saved: %1: ").arg(path)))
        << message.toStdString();
    expectRefused(path, QString());
    store.reset();
    // Room again: the first mail, whose "sent" could not be written, still counts as gone.
    ASSERT_TRUE(QFile::remove(full.filePath(QStringLiteral("filler"))));
    const auto kept = SentMailStore(path, QStringLiteral("me"), QString()).marks(three).value();
    EXPECT_EQ(kept.at(0).value().state, SentMailStore::State::Going);
    EXPECT_FALSE(kept.at(1));

    // A record of many mails, damaged inside, cut short or made of nothing but noise.
    QTemporaryDir folder;
    const auto in = [&folder](const char* name) { return folder.filePath(QString::fromLatin1(name)); };
    {
        SentMailStore made(in("damaged"), QString(300, u'm'), QString());
        for (const QByteArray& key : keys)
            ASSERT_EQ(made.markGoing(key, std::nullopt, 1), SentMailStore::Going::Marked);
    }
    ASSERT_TRUE(QFile::copy(in("damaged"), in("cut")) && QFile::resize(in("cut"), QFileInfo(in("cut")).size() / 2));
    QFile file(in("damaged"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.size() > 20 * 4096
        && writeFileChecked(in("noise"), QByteArray(8192, '\x42')));
    for (qint64 page = 2; page * 4096 < file.size(); page += 3)
        ASSERT_TRUE(file.seek(page * 4096) && file.write(QByteArray(64, '\xa5')) == 64);
    file.close();
    for (const char* unusable : { "damaged", "cut", "noise" })
        expectRefused(in(unusable), QString());

    // A link, a FIFO beside the record, a read-only disk, a lock held past the wait: refused
    // with why, and left as they are.
    ASSERT_TRUE(QFile::link(in("damaged"), in("link")));
    expectRefused(in("link"), QStringLiteral(" is a symbolic link, not a regular file"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(in("fifo-wal")).constData(), 0600), 0);
    expectRefused(in("fifo"), QStringLiteral("-wal is a FIFO, not a regular file"));
    EXPECT_FALSE(QFile::exists(in("fifo")));
    TmpfsFolder readOnly("size=1m");
    const QString there = readOnly.filePath(QStringLiteral("Sent mails.sqlite"));
    SentMailStore(there, QStringLiteral("me"), QString());
    if (readOnly.isTmpfs()) {
        ASSERT_EQ(
            ::mount("tmpfs", QFile::encodeName(readOnly.path()).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr),
            0);
        expectRefused(there, QStringLiteral("Read-only file system)"));
    }
    SentMailStore(in("locked"), QStringLiteral("me"), QString());
    QProcess holder;
    holder.start(QStringLiteral("/usr/bin/python3"),
        { QStringLiteral("-c"),
            QStringLiteral("import sqlite3, sys\nc = sqlite3.connect(sys.argv[1], isolation_level=None)\n"
                           "c.execute('BEGIN IMMEDIATE')\nprint('locked', flush=True)\nsys.stdin.read()"),
            in("locked") });
    ASSERT_TRUE(holder.waitForReadyRead(patience::generousMs));
    expectRefused(in("locked"), QStringLiteral(": database is locked"));
    holder.closeWriteChannel();
    holder.waitForFinished();
}

// Two copies of the program on one record: neither sends a mail the other marked since it
// looked, each sees the other's marks, and none of them is lost.
TEST(MailRun, TwoCopiesShareTheRecordAndNeitherSendsWhatTheOtherMarked)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Sent mails.sqlite"));
    // The other copy: a process of this computer that runs, so that its marks count as live.
    QProcess other;
    other.start(QStringLiteral("/bin/sleep"), { QStringLiteral("600") });
    ASSERT_TRUE(other.waitForStarted());
    auto mine = std::make_shared<SentMailStore>(path, thisProcessOwner(), QString());
    SentMailStore theirs(path, processOwner(other.processId()), QString());
    const MailJob job = batchJob(MailJob::Mode::RowPerRecipient, 4, 4);
    const QList<QByteArray> keys = mailKeys(job, {});
    StoreMarks marks(mine, keys, mine->marks(keys).value());
    // Since the question: the other copy took mail 2 on its way.
    ASSERT_EQ(theirs.markGoing(keys.at(1), std::nullopt, 77), SentMailStore::Going::Marked);
    RecordingSender recording;
    JobProgress progress;
    EXPECT_EQ(mailRunMessage(runMailJob(job, card, recording.sender(), progress, noPauseText, &marks)),
        QStringLiteral("E-mail has been sent successfully.\n\n1 e-mail was left out: another Galavite sent it or is "
                       "sending it."));
    EXPECT_EQ(recording.to, (QStringList { "guest0@example.org", "guest2@example.org", "guest3@example.org" }));
    const SentMailStore::Marks seenByThem = theirs.marks(keys).value();
    for (int mail : { 0, 2, 3 })
        EXPECT_EQ(seenByThem.at(mail).value().state, SentMailStore::State::Sent);
    const auto asked = [&] { return sentBeforeQuestion(job, *mine->marks(keys), QString(), mine->owner(), 0); };
    EXPECT_TRUE(asked().text.contains(QStringLiteral("1 e-mail is being sent by another Galavite: row 2 to "
                                                     "guest1@example.org.")))
        << asked().text.toStdString();
    // Ended without a word: the mail it had on its way may have gone. Refused: it was not.
    other.kill();
    other.waitForFinished();
    EXPECT_EQ(asked().answers, QStringList({ "Send All 4 Again", "Cancel" }));
    ASSERT_TRUE(theirs.markNotSent(keys.at(1), 77));
    EXPECT_FALSE(mine->marks(keys)->at(1));
}

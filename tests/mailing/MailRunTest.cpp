#include "LocalSmtpServer.h"

#include "mailing/MailRun.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QMutex>
#include <QThread>

#include <gtest/gtest.h>

#include <stdexcept>

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
        return [this](const QString& recipient, const QStringList& files) {
            for (const QString& file : files)
                existed = existed && QFileInfo::exists(file);
            to << recipient;
            attachments << files;
            return to.size() - 1 != failAt;
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

    ASSERT_TRUE(runMailJob(job, card, scriptSender(job), progress, noPauseText));
    EXPECT_EQ(progress.total, 4);
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

TEST(MailRun, RowPerRecipientStopsAtTheShorterList)
{
    for (const auto& [rows, count] : { std::pair { 3, 5 }, std::pair { 5, 3 } }) {
        RecordingSender recording;
        JobProgress progress;
        runMailJob(
            batchJob(MailJob::Mode::RowPerRecipient, rows, count), card, recording.sender(), progress, noPauseText);
        EXPECT_EQ(recording.to, recipients(3)) << rows << " rows";
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
    EXPECT_TRUE(runMailJob(job, counting, recording.sender(), progress, noPauseText));
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
    EXPECT_FALSE(runMailJob(batchJob(MailJob::Mode::AllRows, 3, 2), card, recording.sender(), progress, noPauseText));
    EXPECT_EQ(recording.to.size(), 2);
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(recording.attachments[0].value(0)).path()));

    RecordingSender second;
    const CardRenderer throwing = [](int row, bool back) -> QImage {
        if (row == 1)
            throw std::runtime_error("broken row");
        return card(row, back);
    };
    EXPECT_FALSE(runMailJob(batchJob(MailJob::Mode::AllRows, 3, 1), throwing, second.sender(), progress, noPauseText));
    EXPECT_EQ(second.to.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(second.attachments[0].value(0)).path()));

    // A row that cannot be drawn is skipped; no mail at all is no success.
    RecordingSender third;
    const CardRenderer blank = [](int, bool) { return QImage(); };
    EXPECT_FALSE(runMailJob(batchJob(MailJob::Mode::AllRows, 2, 1), blank, third.sender(), progress, noPauseText));
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
    MailJob job = batchJob(MailJob::Mode::WithoutCard, 0, 3);
    job.subject = QStringLiteral("Hi");
    job.sender = QStringLiteral("host@example.com");
    job.server = QStringLiteral("127.0.0.1");
    job.port = server.port();
    job.securityFlag = QStringLiteral("Y");
    job.pauseMs = 1000;
    JobProgress progress;
    ASSERT_TRUE(runMailJob(job, card, scriptSender(job), progress, noPauseText));
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
    ASSERT_TRUE(worker->wait(10000));
    EXPECT_LT(stoppedAt.elapsed(), 1000);
    EXPECT_EQ(recording.to.size(), 1);
}

// The main window's side of the mail windows: batch cards from the data binding.
#include "MainWindowFixture.h"

#include "common/Globals.h"
#include "mailing/MailRun.h"
#include "mainwindow/MainMailHost.h"
#include "model/SKTText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <set>
#include <thread>

TEST_F(MainWindowTest, MailAllRowsSendsACardPerSeriesRowAndLeavesTheDesignAsTyped)
{
    SKTWindowController& main = start();
    // A name of its own: other test programs may use the same series folder at the same time.
    const QString name = QStringLiteral("mail-guests-%1").arg(QCoreApplication::applicationPid());
    writeSeries(name, "Ann\nBob\nCyd\n");
    auto text = SKTGraphic::create<SKTText>();
    text->setBounds(QRectF(10, 10, 120, 30));
    text->data_source_type = 1;
    text->batch_list_name = name;
    text->Text_contents()->setString(QStringLiteral("Zed"));
    main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { text }, { 0 });

    MainMailHost host(main);
    const MailHost::BatchState state = host.Check_Series_Or_Excel_Use_or_not();
    EXPECT_TRUE(state.Use_Data_Sheet_Values);
    EXPECT_FALSE(state.Use_Excel_Binding_Values);

    MailJob job;
    job.mode = MailJob::Mode::AllRows;
    job.recipients = { QStringLiteral("a@example.com") };
    const CardRenderer render = host.mailCardRenderer(true, false, &job.batchRows);
    EXPECT_EQ(job.batchRows, 3);

    std::vector<int> rowsAsked;
    const CardRenderer recording = [&](int row, bool back) {
        rowsAsked.push_back(row);
        return render(row, back);
    };
    std::vector<QByteArray> sentCards;
    const MailSender send = [&](const QString&, const QStringList& attachments, QString*) {
        for (const QString& path : attachments) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                sentCards.push_back(file.readAll());
        }
        return true;
    };
    JobProgress progress;
    bool sent = false;
    std::thread worker([&] { sent = runMailJob(job, recording, send, progress, [](const QString&) { }).allSent(); });
    worker.join();

    EXPECT_TRUE(sent);
    EXPECT_EQ(rowsAsked, std::vector<int>({ 0, 1, 2 }));
    ASSERT_EQ(sentCards.size(), 3u);
    EXPECT_EQ(std::set<QByteArray>(sentCards.begin(), sentCards.end()).size(), 3u);
    // The run drew its own copy; the design keeps its text, the canvas shows the first row.
    host.runFinished();
    EXPECT_EQ(text->Text_contents()->string, QStringLiteral("Zed"));
    EXPECT_EQ(main.shownOnFirstCard(text)->Text_contents()->string, QStringLiteral("Ann"));
}

// The main window's side of the mail windows: batch cards from the data binding.
#include "LocalSmtpServer.h"
#include "MainWindowFixture.h"

#include "common/Globals.h"
#include "data/Data_From_Excel.h"
#include "mail/Send_Mail.h"
#include "mailing/MailRun.h"
#include "mainwindow/MainMailHost.h"
#include "model/SKTText.h"
#include "support/Patience.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>

#include <csignal>
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
        return MailDelivery::Sent;
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

TEST_F(MainWindowTest, ClosingTheProgramWhileAServerHoldsAMailStopsTheRunThenCloses)
{
    SKTWindowController& main = start();
    main.show();
    LocalSmtpServer server(LocalSmtpServer::Mode::TrickleGreeting);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    struct SavedAccount
    {
        QString values[5] { sender_email, sender_pwd, sending_server, sending_port, send_enable_ssl };
        ~SavedAccount()
        {
            sender_email = values[0];
            sender_pwd = values[1];
            sending_server = values[2];
            sending_port = values[3];
            send_enable_ssl = values[4];
        }
    } savedAccount;
    sender_email = QStringLiteral("me@example.com");
    sender_pwd = QStringLiteral("pw");
    sending_server = QStringLiteral("127.0.0.1");
    sending_port = server.port();
    send_enable_ssl = QStringLiteral("Y");
    bool closedDuringRun = true;
    qint64 pid = 0;
    dialogs->modalHandler = [&](QDialog& dialog) {
        auto* window = qobject_cast<Send_Mail*>(&dialog);
        if (!window)
            return 0;
        window->to_txt->setText(QStringLiteral("one@x.com, two@y.org"));
        window->Without_barcode_rd_select();
        window->Send_Button();
        EXPECT_TRUE(server.waitForTrickle(2));
        pid = script.recordedPid();
        closedDuringRun = main.close();
        // Generous: the server would hold the mail for minutes.
        EXPECT_TRUE(patience::eventually([&] { return !window->isRunning(); }, 15000));
        patience::eventually([&] { return !window->isRunning(); });
        return 0;
    };
    main.action(QStringLiteral("Mail_Btn"))->trigger();
    EXPECT_FALSE(closedDuringRun);
    EXPECT_EQ(dialogs->messages().back(), QStringLiteral("\nSending was stopped.\n\nE-mails sent: 1 of 2."));
    EXPECT_GT(pid, 0);
    EXPECT_NE(::kill(pid_t(pid), 0), 0); // the script is gone
    // Then the window closes, as it would have without the run.
    EXPECT_TRUE(patience::eventually([&] { return !main.isVisible(); }));
}

// The addresses of a workbook are seldom on the card: the row-per-recipient check sees every column.
TEST_F(MainWindowTest, MailRowValuesHoldEveryColumnOfTheBoundWorkbook)
{
    SKTWindowController& main = start();
    Data_From_Excel& table = *Data_From_Excel_Window;
    table.rebuildColumnsFromTitles({ "No.", "Name", "E-mail" });
    table.ListData.clear();
    table.Create_List_By_Array({ "Ann", "ann@x.org" }, 2);
    table.Create_List_By_Array({ "Bob", "bob@x.org" }, 2);
    auto text = SKTGraphic::create<SKTText>();
    text->setBounds(QRectF(10, 10, 120, 30));
    text->data_source_type = 2;
    text->excel_col_indx = 1;
    main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { text }, { 0 });

    MainMailHost host(main);
    EXPECT_EQ(
        host.rowValueColumns(false, true), (QList<QStringList> { { "Ann", "Bob" }, { "ann@x.org", "bob@x.org" } }));
    EXPECT_TRUE(host.rowValueColumns(false, false).isEmpty());
}

// The main window's side of the mail windows: batch cards from the data binding.
#include "LocalSmtpServer.h"
#include "MainWindowFixture.h"

#include "common/Globals.h"
#include "data/Data_From_Excel.h"
#include "export/ExportWindow.h"
#include "jobs/DataBinding.h"
#include "mail/Send_Mail.h"
#include "mailing/MailAddresses.h"
#include "mailing/MailRun.h"
#include "mainwindow/MainMailHost.h"
#include "mainwindow/MainPrintHost.h"
#include "model/SKTText.h"
#include "print/Print_Wnd.h"
#include "support/Patience.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QLineEdit>
#include <QRadioButton>

#include <csignal>
#include <deque>
#include <set>
#include <thread>

namespace {
// The mail account of a local test server for one test; the program's own is put back after.
struct LocalAccount
{
    explicit LocalAccount(const LocalSmtpServer& server, const QString& securityFlag)
    {
        sender_email = QStringLiteral("me@example.com");
        sender_pwd = QStringLiteral("pw");
        sending_server = QStringLiteral("127.0.0.1");
        sending_port = server.port();
        send_enable_ssl = securityFlag;
    }
    ~LocalAccount()
    {
        sender_email = values[0];
        sender_pwd = values[1];
        sending_server = values[2];
        sending_port = values[3];
        send_enable_ssl = values[4];
    }
    QString values[5] { sender_email, sender_pwd, sending_server, sending_port, send_enable_ssl };
};
} // namespace

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
    std::thread worker([&] { sent = runMailJob(job, recording, send, progress, [](const QString&) {}).allSent(); });
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
    const LocalAccount account(server, QStringLiteral("Y"));
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
    EXPECT_EQ(host.rowValueColumns(false, true).mid(0, 2),
        (QList<QStringList> { { "Ann", "Bob" }, { "ann@x.org", "bob@x.org" } }));
    EXPECT_TRUE(host.rowValueColumns(false, false).isEmpty());
    // What tells the mails of one row from another's is what the card shows.
    const MailHost::CardValuesOfRow cardValues = host.cardValuesOfRows(false, true);
    EXPECT_EQ(QList<QStringList>({ cardValues(0), cardValues(1) }), (QList<QStringList> { { "Ann" }, { "Bob" } }));
}

// Row k's card goes to recipient k: however the recipients are written and wherever the rows'
// addresses are kept, a list in another order asks first, and so do recipients past the rows.
TEST_F(MainWindowTest, MailRowPerRecipientAsksBeforeAnyCardGoesToAnotherRowsPerson)
{
    SKTWindowController& main = startWithOwnSeriesFolder();
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    const LocalAccount account(server, QStringLiteral("N"));
    const QStringList addresses { "m251@club.example", "m252@club.example", "m268@club.example" };
    Data_From_Excel& table = *Data_From_Excel_Window;
    table.rebuildColumnsFromTitles({ "No.", "First name", "Email" });
    table.ListData.clear();
    table.Create_List_By_Array({ "Karla", addresses[0] }, 2);
    table.Create_List_By_Array({ "Lukas", addresses[1] }, 2);
    table.Create_List_By_Array({ "Hugo", addresses[2] }, 2);
    // The same people imported as two series, the addresses in one the card does not show.
    writeSeries(QStringLiteral("First name"), "Karla\nLukas\nHugo\n");
    writeSeries(QStringLiteral("Email"), addresses.join(u'\n').toUtf8() + '\n');
    auto text = SKTGraphic::create<SKTText>();
    text->setBounds(QRectF(10, 10, 120, 30));
    text->data_source_type = DataBinding::spreadsheetSource;
    text->excel_col_indx = 1;
    main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { text }, { 0 });

    const QString shuffled = QStringLiteral(
        "Lukas Noack <M252@Club.Example>, \"Ostrow, Hugo\" <m268@club.example>, karla NOACK <m251@club.example>");
    const QStringList typed { "karla NOACK <m251@club.example>", "Lukas Noack <M252@Club.Example>",
        "\"Ostrow, Hugo\" <m268@club.example>" };
    const QString inOrder = typed.join(QStringLiteral(", "));
    const auto questions = [&] {
        QStringList texts;
        for (const auto& asked : dialogs->asked())
            if (asked.kind == QLatin1String("choice"))
                texts << asked.text;
        return texts;
    };
    // One opening of the send window: each list sent row per recipient with the answers given.
    // The rows of the series, the spreadsheet or both: 1, 2 or 3.
    int sendCount = 0;
    const auto mail = [&](int sources, const std::vector<std::pair<QString, std::deque<int>>>& sends) {
        dialogs->modalHandler = [&](QDialog& dialog) {
            auto* window = qobject_cast<Send_Mail*>(&dialog);
            if (!window)
                return 0;
            if (sources & 1)
                window->send_with_batch_chk->click();
            if (sources & 2)
                window->send_with_excel_chk->click();
            window->rd_one_per_recp->click();
            for (const auto& [to, answers] : sends) {
                window->to_txt->setText(to);
                // A mail of its own each time: the record of mails sent would ask about a repeat.
                window->subject_txt->setText(QStringLiteral("Send %1").arg(++sendCount));
                dialogs->choiceAnswers = answers;
                window->Send_Button();
                EXPECT_TRUE(patience::eventually([&] { return !window->isRunning(); }));
                EXPECT_TRUE(dialogs->choiceAnswers.empty()) << to.toStdString();
            }
            return 0;
        };
        main.action(QStringLiteral("Mail_Btn"))->trigger();
        dialogs->modalHandler = [this](QDialog& dialog) { return answerModal(dialog); };
    };

    // Spreadsheet rows: names, quoted names with commas and mixed case in another order are
    // each named; Escape and Cancel send nothing; the rows' own order sends with no question.
    mail(2, { { shuffled, { -1 } }, { shuffled, { 1 } }, { inOrder, {} } });
    ASSERT_EQ(questions().size(), 2);
    for (const QString& line : { QStringLiteral("Lukas Noack <M252@Club.Example> would get the card of row 1 "
                                                "(m251@club.example), though row 2 holds that address."),
             QStringLiteral("\"Ostrow, Hugo\" <m268@club.example> would get the card of row 2 (m252@club.example), "
                            "though row 3"),
             QStringLiteral("karla NOACK <m251@club.example> would get the card of row 3 (m268@club.example), though "
                            "row 1") })
        EXPECT_TRUE(questions().at(0).contains(line)) << questions().at(0).toStdString();
    ASSERT_TRUE(server.waitForMails(3));
    EXPECT_EQ(dialogs->messages().back(), QStringLiteral("\nE-mail has been sent successfully."));
    for (int row = 0; row < 3; ++row) {
        const QJsonObject sent = server.mails().at(row);
        EXPECT_EQ(sent[u"to"].toArray().at(0).toString().toLower(), addresses[row]);
        EXPECT_EQ(sent[u"header_to"].toString(), typed[row]); // as typed, not lower-cased
    }

    // Series rows, the addresses in a series no object is bound to: the same question.
    text->data_source_type = DataBinding::seriesSource;
    text->batch_list_name = QStringLiteral("First name");
    mail(1,
        { { QStringLiteral("m252@club.example, m268@club.example, m251@club.example"), { 1 } },
            // Two more recipients than rows: asked first, Cancel by default; going on names them.
            { inOrder + QStringLiteral(", Ida Ostrow <m269@club.example>, m270@club.example"), { -1 } },
            { inOrder + QStringLiteral(", Ida Ostrow <m269@club.example>, m270@club.example"), { 0 } } });
    const QStringList asked = questions();
    ASSERT_EQ(asked.size(), 5);
    EXPECT_TRUE(asked[2].contains(
        QStringLiteral("m251@club.example would get the card of row 3 (m268@club.example), though row 1")))
        << asked[2].toStdString();
    EXPECT_TRUE(asked[3].startsWith(QStringLiteral("There are only 3 rows, so only the first 3 recipients would get "
                                                   "a card; 2 of the 5 recipients would get none:\n\nIda Ostrow "
                                                   "<m269@club.example>\nm270@club.example\n\nSend anyway?")))
        << asked[3].toStdString();
    EXPECT_EQ(asked[4], asked[3]);
    ASSERT_TRUE(server.waitForMails(6));
    EXPECT_EQ(dialogs->messages().back(),
        QStringLiteral("\n2 recipients got no card, as there are only 3 rows (Ida Ostrow <m269@club.example>; "
                       "m270@club.example).\n\nE-mails sent: 3 of 5."));
    EXPECT_TRUE(dialogs->lastDetails().contains(
        QStringLiteral("m270@club.example (recipient 5 of 5): no card sent, as there are only 3 rows.")));
    EXPECT_EQ(server.mails().size(), 6);

    // Cells as people keep them: every address a cell holds is its row's own, a parent's too.
    const QStringList kept { "m251@club.example; parent251@club.example", "m252@club.example,\nparent252@club.example",
        "Pohl, Mona <m253@club.example>", "m254@club.example / parent254@club.example", "mailto:m255@club.example",
        QStringLiteral("m256@club.example\u200B") };
    table.ListData.clear();
    for (const QString& cell : kept)
        table.Create_List_By_Array({ "Member", cell }, 2);
    text->data_source_type = DataBinding::spreadsheetSource;
    const QStringList own { "parent251@club.example", "m252@club.example", "Mona Pohl <m253@club.example>",
        "parent254@club.example", "m255@club.example", "m256@club.example" };
    const QString swapped = QStringLiteral("m252@club.example, m251@club.example, m253@club.example, "
                                           "m254@club.example, m256@club.example, m255@club.example");
    mail(2, { { swapped, { 1 } }, { own.join(u','), {} } });
    ASSERT_EQ(questions().size(), 6);
    for (const QString& line : { QStringLiteral("m252@club.example would get the card of row 1 (m251@club.example, "
                                                "parent251@club.example), though row 2 holds that address."),
             QStringLiteral("m256@club.example would get the card of row 5 (m255@club.example), though row 6") })
        EXPECT_TRUE(questions().at(5).contains(line)) << questions().at(5).toStdString();
    ASSERT_TRUE(server.waitForMails(12));
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(server.mails().at(6 + row)[u"to"].toArray().at(0).toString(), mailboxAddress(own[row]));

    // Names from the series and the rest from the workbook, the series sorted otherwise: the
    // rows mixing two people are asked about; in one order the cards go with no question.
    const auto both = [&](const QByteArray& emails) {
        writeSeries(QStringLiteral("First name"), "Karla\nLukas\nMona\nOla\nPia\nRita\n");
        writeSeries(QStringLiteral("Email"), emails);
    };
    both("m252@club.example\nm251@club.example\nm253@club.example\nm254@club.example\nm255@club.example\n"
         "m256@club.example\n");
    auto named = SKTGraphic::create<SKTText>();
    named->setBounds(QRectF(10, 50, 120, 30));
    named->data_source_type = DataBinding::seriesSource;
    named->batch_list_name = QStringLiteral("First name");
    main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { named }, { 1 });
    mail(3, { { swapped, { 1 } } });
    both("m251@club.example\nm252@club.example\nm253@club.example\nm254@club.example\nm255@club.example\n"
         "m256@club.example\n");
    mail(3, { { own.join(u','), {} } });
    // One source's rows alone: the objects of the other would show its first row on every card.
    mail(1, { { own.join(u','), { 1 } } });
    mail(2, { { own.join(u','), { 1 } } });
    // Export and print ask the same, before they start.
    dialogs->modalHandler = [&](QDialog& dialog) {
        if (auto* sheet = qobject_cast<ExportWindow*>(&dialog)) {
            sheet->Export_with_excel_chk->setChecked(false);
            return 1;
        }
        return answerModal(dialog);
    };
    dialogs->choiceAnswers = { 1 };
    main.Export_Button();
    MainPrintHost printHost(main);
    Print_Wnd printWindow(&main);
    dialogs->modalHandler = [&](QDialog& dialog) {
        dialogs->choiceAnswers = { 1 };
        for (QCheckBox* box : printWindow.findChildren<QCheckBox*>())
            if (box->text().endsWith(QStringLiteral("series")))
                box->click();
        printWindow.Execute_Printing(false);
        return 0;
    };
    printWindow.Open_Print_Wnd(printHost);
    ASSERT_EQ(questions().size(), 11);
    EXPECT_EQ(questions().at(9), questions().at(7));
    EXPECT_EQ(questions().at(10), questions().at(8));
    EXPECT_TRUE(questions().at(6).startsWith(
        QStringLiteral("2 rows hold one address in the series and another in the spreadsheet, so each of those cards "
                       "would mix the values of two people, as when the series and the spreadsheet are sorted "
                       "differently.\n\nRow 1: m252@club.example in the series, m251@club.example, "
                       "parent251@club.example in the spreadsheet.\nRow 2: m251@club.example in the series")))
        << questions().at(6).toStdString();
    EXPECT_TRUE(questions().at(7).contains(QStringLiteral(
        "rows this run does not use, so every card would show them with the values of its first row:\n\nText on "
        "the front (spreadsheet column \"First name\")\n\n")))
        << questions().at(7).toStdString();
    EXPECT_TRUE(questions().at(8).contains(QStringLiteral("first row:\n\nText on the front (series \"First name\")")));
    ASSERT_TRUE(server.waitForMails(18));
    EXPECT_EQ(server.mails().size(), 18);
}

// Whatever the card mode, a card goes to a row's person only when it is that row's: a column
// where most members have no address still counts, a recipient who is no row's at a row with
// an address is asked about, and the question's details name every recipient concerned.
TEST_F(MainWindowTest, MailAsksBeforeAnyModeSendsARowsPersonACardNotTheirs)
{
    SKTWindowController& main = startWithOwnSeriesFolder();
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    const LocalAccount account(server, QStringLiteral("N"));
    Data_From_Excel& table = *Data_From_Excel_Window;
    table.rebuildColumnsFromTitles({ "No.", "Name", "Email" });
    table.ListData.clear();
    const std::pair<const char*, const char*> members[] = { { "Anna", "m001@club.example" }, { "Bruno", "-" },
        { "Carl", "none" }, { "Dora", "n/a" }, { "Eva", "Eva Adler <m005@club.example>" },
        { "Fritz", "m006@club.example" }, { "Gina", "m007@club.example" }, { "Hans", "m008@club.example" } };
    for (const auto& [name, address] : members)
        table.Create_List_By_Array({ name, address }, 2);
    auto text = SKTGraphic::create<SKTText>();
    text->setBounds(QRectF(10, 10, 120, 30));
    text->data_source_type = DataBinding::spreadsheetSource;
    text->excel_col_indx = 1;
    main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { text }, { 0 });

    enum class Mode
    {
        Shown,
        AllRows,
        RowPerRecipient
    };
    struct Send
    {
        Mode mode;
        QString to;
        std::deque<int> answers; // -1: Escape
    };
    int sendCount = 0;
    const auto mail = [&](const std::vector<Send>& sends) {
        dialogs->modalHandler = [&](QDialog& dialog) {
            auto* window = qobject_cast<Send_Mail*>(&dialog);
            if (!window)
                return 0;
            for (const Send& send : sends) {
                if (window->send_with_excel_chk->isChecked() != (send.mode != Mode::Shown))
                    window->send_with_excel_chk->click();
                (send.mode == Mode::AllRows ? window->rd_all_to_every : window->rd_one_per_recp)->click();
                window->to_txt->setText(send.to);
                window->subject_txt->setText(QStringLiteral("Send %1").arg(++sendCount));
                dialogs->choiceAnswers = send.answers;
                window->Send_Button();
                EXPECT_TRUE(patience::eventually([&] { return !window->isRunning(); }));
                EXPECT_TRUE(dialogs->choiceAnswers.empty()) << send.to.toStdString();
            }
            return 0;
        };
        main.action(QStringLiteral("Mail_Btn"))->trigger();
        dialogs->modalHandler = [this](QDialog& dialog) { return answerModal(dialog); };
    };
    mail({
        // Members in each other's places, at rows with and without addresses; a junior of another
        // sheet and a mistyped address at rows that hold addresses: each asked, Escape or Cancel
        // sends nothing.
        { Mode::RowPerRecipient,
            QStringLiteral("m005@club.example, m001@club.example, m008@club.example, m007@club.example, "
                           "m006@club.example, m005@club.example, m006@club.example, m007@club.example"),
            { -1 } },
        { Mode::RowPerRecipient, QStringLiteral("m251@club.example, b@x.org, c@x.org, d@x.org, m005@club.exmaple"),
            { 1 } },
        // The card shown is Anna's: asked before it goes to Eva.
        { Mode::Shown, QStringLiteral("proof@office.example, m005@club.example"), { 1 } },
        // Every row's card to the rows' own people: asked how many cards each would get.
        { Mode::AllRows, QStringLiteral("m001@club.example, M005@club.example"), { -1 } },
        // Own rows, rows without addresses, a proof and a print shop: no question.
        { Mode::RowPerRecipient, QStringLiteral("Anna <m001@club.example>, bruno@home.example"), {} },
        { Mode::Shown, QStringLiteral("m001@club.example, proof@office.example"), {} },
        { Mode::AllRows, QStringLiteral("shop@print.example"), {} },
    });
    std::vector<ScriptedDialogService::Asked> asked;
    for (const auto& question : dialogs->asked())
        if (question.kind == QLatin1String("choice"))
            asked.push_back(question);
    ASSERT_EQ(asked.size(), 4u);
    // Eight recipients concerned: five named, every one in the details.
    EXPECT_EQ(asked[0].details.count(u'\n'), 7);
    for (const QString& line :
        { QStringLiteral("m005@club.example would get the card of row 1 (m001@club.example), though row 5 holds that "
                         "address.\nm001@club.example would get the card of row 2 (no address), though row 1 holds "
                         "that address.\n"),
            QStringLiteral("m006@club.example would get the card of row 5 (m005@club.example), though row 6 holds "
                           "that address.\n… and 3 more.\n\nSend anyway?") })
        EXPECT_TRUE(asked[0].text.contains(line)) << asked[0].text.toStdString();
    EXPECT_TRUE(asked[0].details.endsWith(
        QStringLiteral("m007@club.example would get the card of row 8 (m008@club.example), though row 7 holds that "
                       "address.")));
    EXPECT_TRUE(asked[1].text.contains(
        QStringLiteral("m251@club.example would get the card of row 1 (m001@club.example), though no row holds that "
                       "address.\nm005@club.exmaple would get the card of row 5 (m005@club.example), though no row "
                       "holds that address.\n\nSend anyway?")))
        << asked[1].text.toStdString();
    EXPECT_EQ(asked[2].text,
        QStringLiteral("The card mailed is the one shown, which carries the values of row 1, and 1 recipient whose "
                       "address another row holds would get it.\n\nm005@club.example would get the card of row 1 "
                       "(m001@club.example), though row 5 holds that address.\n\nSend anyway?"));
    EXPECT_TRUE(asked[3].text.contains(
        QStringLiteral("m001@club.example (the address of row 1) would get the cards of 7 other rows.\n"
                       "M005@club.example (the address of row 5) would get the cards of 7 other rows.")))
        << asked[3].text.toStdString();
    for (size_t i = 1; i < asked.size(); ++i)
        EXPECT_TRUE(asked[i].details.isEmpty()); // the text names them all

    // Only the runs asked nothing of went out: 2 + 2 + 8 mails, each to whom it was meant for.
    ASSERT_TRUE(server.waitForMails(12));
    QStringList to;
    for (const QJsonObject& sent : server.mails())
        to << sent[u"to"].toArray().at(0).toString().toLower();
    EXPECT_EQ(to,
        (QStringList { "m001@club.example", "bruno@home.example", "m001@club.example", "proof@office.example",
            "shop@print.example", "shop@print.example", "shop@print.example", "shop@print.example",
            "shop@print.example", "shop@print.example", "shop@print.example", "shop@print.example" }));

    // Addresses beside a parent's, after a label, in a group: each the row's own. A cell whose
    // "@" gives no address names its row before the run, Cancel the default.
    table.ListData.clear();
    for (const char* cell : { "m264@club.example parent264@family.example", "Member: m265@club.example | p@x.example",
             "team: m266@club.example, q@x.example;", "Ida (m267@club.example)" })
        table.Create_List_By_Array({ "Member", cell }, 2);
    const QString own = QStringLiteral("m264@club.example, p@x.example, m266@club.example, ida@home.example");
    mail({ { Mode::RowPerRecipient, QStringLiteral("m265@club.example, m264@club.example"), { 1 } },
        { Mode::AllRows, QStringLiteral("parent264@family.example"), { 1 } }, { Mode::RowPerRecipient, own, { -1 } },
        { Mode::RowPerRecipient, own, { 0 } } });
    asked.clear();
    for (const auto& question : dialogs->asked())
        if (question.kind == QLatin1String("choice"))
            asked.push_back(question);
    ASSERT_EQ(asked.size(), 8u);
    EXPECT_TRUE(asked[4].text.contains(QStringLiteral("m265@club.example would get the card of row 1 "
                                                      "(m264@club.example, parent264@family.example), though row 2")));
    EXPECT_TRUE(asked[5].text.contains(QStringLiteral("parent264@family.example (the address of row 1)")));
    EXPECT_TRUE(asked[6].text.startsWith(QStringLiteral("1 row holds an \"@\" but no e-mail address this program "
                                                        "can read, so its card cannot be checked against the "
                                                        "recipients:\n\nRow 4: \"Ida (m267@club.example)\"")));
    EXPECT_TRUE(asked[6].safeDefault);
    ASSERT_TRUE(server.waitForMails(16));
    EXPECT_EQ(server.mails().size(), 16);
}

// A run without the card speaks of no card, whatever the run before it showed; a column whose
// title the workbook lost when read again is named as gone, not counted among uneven lists.
TEST_F(MainWindowTest, MailWithoutTheCardNamesNoCardAndAColumnGoneFromTheWorkbookIsNamedSo)
{
    SKTWindowController& main = startWithOwnSeriesFolder();
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls);
    TrustingMailScript script(server.caFile());
    const LocalAccount account(server, QStringLiteral("N"));
    Data_From_Excel& table = *Data_From_Excel_Window;
    table.rebuildColumnsFromTitles({ "No.", "Name", "Email" });
    table.ListData.clear();
    for (const QString& name : { QStringLiteral("Ann"), QString(300, u'W') })
        table.Create_List_By_Array({ name }, 2);
    table.source.sheetColumns = { 0, -1 }; // read again, the workbook had no "Email" column
    for (const int column : { 1, 2 }) {
        auto text = SKTGraphic::create<SKTText>();
        text->setBounds(QRectF(10, 40 * column, 120, 30));
        text->data_source_type = DataBinding::spreadsheetSource;
        text->Set_Excel_binding_Column(column, table.columnTitles().at(column));
        main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { text }, { 0 });
    }
    dialogs->modalHandler = [&](QDialog& dialog) {
        if (auto* window = qobject_cast<Send_Mail*>(&dialog)) {
            window->to_txt->setText(QStringLiteral("proof@office.example"));
            window->send_with_excel_chk->click();
            dialogs->choiceAnswers = { 0 };
            for (QRadioButton* option : { window->rd_mail_curr_barcode, window->rd_without_barcode }) {
                option->click();
                window->Send_Button();
                EXPECT_TRUE(patience::eventually([&] { return !window->isRunning(); }));
            }
        }
        return 0;
    };
    main.action(QStringLiteral("Mail_Btn"))->trigger();
    const std::vector<QString> ends = dialogs->messages();
    ASSERT_GE(ends.size(), 2u);
    EXPECT_TRUE(ends.end()[-2].endsWith(QStringLiteral("1 card has text that does not fit its box (row 2).")));
    EXPECT_EQ(ends.back(), QStringLiteral("\nE-mail has been sent successfully."));
    QString asked;
    for (const auto& question : dialogs->asked())
        asked = question.kind == QLatin1String("choice") ? question.text : asked;
    EXPECT_TRUE(asked.contains(
        QStringLiteral("Text on the front: the title of spreadsheet column \"Email\" is no longer in the workbook\n")))
        << asked.toStdString();
    EXPECT_FALSE(asked.contains(QStringLiteral("do not line up")));
    EXPECT_TRUE(server.waitForMails(3));
}

#include "LocalSmtpServer.h"

#include "common/Globals.h"
#include "mail/Email_Setting.h"
#include "mail/MailHost.h"
#include "mail/Send_Mail.h"
#include "mailing/MailAddresses.h"
#include "mailing/MailHandoff.h"
#include "mailing/Preferences.h"
#include "mailing/SentMailStore.h"
#include "mailing/SentMails.h"
#include "platform/CheckedWrite.h"
#include "support/Patience.h"
#include "support/ScriptedDialogService.h"
#include "support/SharedReferencePlist.h"
#include "widgets/Send_Modeless.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

namespace {
class FakeHost : public MailHost
{
public:
    void Get_Email_Details() override { ++reloads; }
    QString applicationName() const override { return QStringLiteral("Galavite"); }
    Account emailAccount() const override { return account; }
    BatchState Check_Series_Or_Excel_Use_or_not() override { return batch; }
    CardRenderer mailCardRenderer(bool, bool, int* batchCards) override
    {
        *batchCards = rows;
        return [](int, bool back) {
            QImage image(30, 20, QImage::Format_RGB32);
            image.fill(back ? Qt::blue : Qt::green);
            return image;
        };
    }

    int batchCards(bool, bool) override { return rows; }
    QList<QStringList> rowValueColumns(bool, bool) override
    {
        rowsRead = true;
        return columns;
    }
    // Stop is pressed on the first sheet shown once the rows are read, or while the cards' values
    // are read behind a sheet, if asked to.
    void runBehindPleaseWait(const std::function<void()>& work, std::atomic<bool>& stop) override
    {
        stop = stopOnceRowsAreRead && rowsRead;
        sheetStop = &stop;
        work();
        sheetStop = nullptr;
    }
    CardValuesOfRow cardValuesOfRows(bool, bool) override
    {
        return [this](int row) {
            if (sheetStop && stopWhileCardsAreRead)
                *sheetStop = true;
            return cards.value(row);
        };
    }

    bool rowsRead = false, stopOnceRowsAreRead = false, stopWhileCardsAreRead = false;
    std::atomic<bool>* sheetStop = nullptr;
    int reloads = 0;
    int rows = 0;
    QList<QStringList> columns, cards;
    Account account;
    BatchState batch;
};

class MailWindowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedHome_ = qgetenv("HOME");
        qputenv("HOME", home_.path().toUtf8());
        savedMainWindow_ = Main_App_wnd;
        Main_App_wnd = reinterpret_cast<SKTWindowController*>(&settings_);
    }
    void TearDown() override
    {
        Main_App_wnd = savedMainWindow_;
        qputenv("HOME", savedHome_);
    }

    void fillAccount()
    {
        settings_._send_mail_sender_mail->setText(QStringLiteral("me@example.com"));
        settings_._send_mail_password->setText(QStringLiteral("pw"));
        settings_._send_mail_smtp->setText(QStringLiteral("smtp.example.com"));
        settings_._send_mail_port->setText(QStringLiteral("587"));
    }

    // The account of a local test server that speaks STARTTLS.
    void useAccountOn(const LocalSmtpServer& server)
    {
        host_.account = { QStringLiteral("me@example.com"), QStringLiteral("pw"), QStringLiteral("127.0.0.1"),
            server.port(), QStringLiteral("N") };
    }

    // Each of five rows' cards to its own guest through the window, a question answered with
    // its first choice.
    void mailEachGuestTheirRow()
    {
        const QStringList guests { "a@x.org", "b@x.org", "c@x.org", "d@x.org", "e@x.org" };
        host_.batch.Use_Data_Sheet_Values = true;
        host_.rows = 5;
        for (int row = 1; row <= 5; ++row)
            host_.cards << QStringList { QStringLiteral("Guest %1").arg(row) };
        Send_Mail window(host_, settings_);
        dialogs_->modalHandler = [&](QDialog&) {
            window.send_with_batch_chk->setChecked(true);
            window.send_with_batch_chk_select();
            window.rd_one_per_recp->setChecked(true);
            window.subject_txt->setText(QStringLiteral("Invitation"));
            window.to_txt->setText(guests.join(QStringLiteral(", ")));
            dialogs_->choiceAnswers = { 0 };
            window.Send_Button();
            EXPECT_TRUE(patience::eventually([&] { return !window.isRunning(); }));
            return 0;
        };
        window.Open_Wnd();
    }
    // The last question with answers to choose from.
    ScriptedDialogService::Asked lastChoice()
    {
        const std::vector<ScriptedDialogService::Asked> asked = dialogs_->asked();
        const auto last
            = std::find_if(asked.rbegin(), asked.rend(), [](const auto& one) { return one.kind == u"choice"; });
        return last == asked.rend() ? ScriptedDialogService::Asked() : *last;
    }

    QTemporaryDir home_;
    QByteArray savedHome_;
    SKTWindowController* savedMainWindow_ = nullptr;
    ScriptedDialogs dialogs_;
    FakeHost host_;
    Email_Setting settings_ { host_ };
};
} // namespace

TEST_F(MailWindowsTest, SettingsAreCheckedInOrderAndSavedWithoutARecipient)
{
    settings_.loadPreferences();
    EXPECT_TRUE(settings_._send_mail_tls->isChecked());
    settings_._send_mail_sender_mail->setText(QStringLiteral("   "));
    settings_.Save_Button();
    fillAccount();
    settings_._send_mail_port->clear();
    settings_.Save_Button();
    EXPECT_EQ(dialogs_->messages(),
        (std::vector<QString> { QStringLiteral("\nPlease enter valid sender E-mail address."),
            QStringLiteral("\nPlease enter port number.") }));
    // The mail script reads the password as one line.
    fillAccount();
    settings_._send_mail_password->setText(QStringLiteral("first\nsecond"));
    settings_.Save_Button();
    EXPECT_EQ(dialogs_->messages().back(), QStringLiteral("\nThe password must not hold a line break."));
    fillAccount();
    settings_._send_mail_tls->setChecked(false); // both off is saved as TLS
    settings_.Save_Button();
    EXPECT_EQ(dialogs_->messages().size(), 3u);
    EXPECT_EQ(Preferences::sharedInstance()->send_email_enable_ssl(), QStringLiteral("N"));
    EXPECT_EQ(Preferences::sharedInstance()->send_email_PORT_num(), QStringLiteral("587"));

    // The test mail asks for the recipient that saving does not need.
    settings_.Send_Test_Email();
    EXPECT_EQ(dialogs_->messages().back(), QStringLiteral("\nPlease enter recipient E-mail address."));
    // A recipient the mail script cannot write is told as the cause, with no advice about the
    // settings or the network.
    settings_._send_mail_to->setText(QStringLiteral("b\u00f8b@example.org"));
    settings_.Send_Test_Email();
    EXPECT_TRUE(dialogs_->messages().back().startsWith(
        QStringLiteral("\nCould not send email.\n\nReason: The recipient b\u00f8b@example.org cannot be sent: its "
                       "address holds letters outside ASCII")))
        << dialogs_->messages().back().toStdString();
}

TEST_F(MailWindowsTest, ResetDeletesTheFileAndReloadsTheGlobals)
{
    fillAccount();
    settings_.SSL_Selected();
    settings_.Save_Button();
    ASSERT_TRUE(QFile::exists(Preferences::settingsFilePath()));
    dialogs_->yesNoAnswers = { true };
    settings_.Reset_Button();
    EXPECT_FALSE(QFile::exists(Preferences::settingsFilePath()));
    EXPECT_EQ(host_.reloads, 1);
    EXPECT_TRUE(settings_._send_mail_sender_mail->text().isEmpty());
    EXPECT_TRUE(settings_._send_mail_tls->isChecked());
    EXPECT_FALSE(settings_._send_mail_ssl->isChecked());
}

TEST_F(MailWindowsTest, FailedSaveSaysSoAndKeepsTheWindowOpen)
{
    fillAccount();
    ASSERT_TRUE(QDir().mkpath(Preferences::settingsFilePath()));
    bool stillOpen = false;
    dialogs_->modalHandler = [&](QDialog& dialog) {
        fillAccount();
        settings_.Save_Button();
        stillOpen = dialog.result() != 1;
        return dialog.result();
    };
    settings_.Open_Wnd();
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(dialogs_->messages().back(), QStringLiteral("\nError in file accessing.\nIt is not a regular file."));
}

TEST_F(MailWindowsTest, SendWindowRefusesBadInputBeforeAnything)
{
    host_.account.sender = QStringLiteral("me@example.com");
    Send_Mail window(host_, settings_);
    dialogs_->modalHandler = [&](QDialog&) {
        EXPECT_EQ(window.card_side_str, QStringLiteral("F"));
        EXPECT_EQ(window.file_name_txt->text(), QStringLiteral("QUONCard"));
        EXPECT_FALSE(window.send_with_batch_chk->isEnabled());
        window.Send_Button();
        window.to_txt->setText(QStringLiteral("a@x.com\r\nBcc: c@y.com"));
        window.Send_Button();
        window.to_txt->setText(QStringLiteral("bad, one@x.com"));
        window.Send_Button();
        EXPECT_TRUE(dialogs_->lastInformative().startsWith(QStringLiteral("\"bad\" is not an e-mail address.")))
            << dialogs_->lastInformative().toStdString();
        // What the mail script cannot write into a header is refused before a run, with why.
        window.to_txt->setText(
            QStringLiteral("one@x.com, ") + QString(1000, u'(') + QString(1000, u')') + QStringLiteral(" two@x.com"));
        window.Send_Button();
        EXPECT_TRUE(dialogs_->lastInformative().contains(QStringLiteral("cannot be sent: it is longer than 998")))
            << dialogs_->lastInformative().toStdString();
        EXPECT_FALSE(dialogs_->lastInformative().contains(QStringLiteral("firewall"), Qt::CaseInsensitive));
        window.to_txt->setText(QStringLiteral("one@x.com"));
        window.file_name_txt->setText(QStringLiteral("*?/"));
        window.Send_Button();
        window.file_name_txt->setText(QStringLiteral("QUONCard"));
        window.message_txt->setPlainText(QStringLiteral("Come") + QChar(0) + QStringLiteral(" along"));
        window.Send_Button();
        EXPECT_FALSE(window.isRunning());
        return 0;
    };
    window.Open_Wnd();
    EXPECT_EQ(dialogs_->messages(),
        (std::vector<QString> { QStringLiteral("\nPlease specify the Recipient E-mail address."),
            QStringLiteral("\nRecipient E-mail address is invalid or incomplete."),
            QStringLiteral("\nRecipient E-mail address is invalid or incomplete."),
            QStringLiteral("\nRecipient E-mail address is invalid or incomplete."),
            QStringLiteral("\nPlease enter valid file name."), QLatin1Char('\n') + bodyNulMessage() }));
}

// A pasted list is kept whole, however long and on however many lines: every recipient gets
// the mail at the address typed.
TEST_F(MailWindowsTest, APastedListOfThousandsOfRecipientsIsKeptWholeAndNeverCut)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    useAccountOn(server);
    QStringList pasted;
    for (int i = 1; i <= 2000; ++i)
        pasted << QStringLiteral("person%1@company.com").arg(i, 4, 10, QLatin1Char('0'));
    // Few enough to mail in a test, with names long enough to pass where the field used to cut.
    QStringList named, addresses;
    for (int i = 1; i <= 40; ++i) {
        addresses << QStringLiteral("guest%1@company.com").arg(i);
        named << QStringLiteral("\"%1 %2\" <%3>").arg(QString(900, u'n')).arg(i).arg(addresses.last());
    }
    QWidget mainWindow;
    Send_Modeless sheet(&mainWindow);
    Send_Mail window(host_, settings_);
    bool finished = false;
    const auto paste = [&](const QString& text) {
        QApplication::clipboard()->setText(text);
        window.to_txt->paste();
    };
    dialogs_->modalHandler = [&](QDialog&) {
        paste(pasted.join(QStringLiteral(",\n")));
        EXPECT_EQ(parseRecipients(window.to_txt->text()).recipients, pasted);
        // Pasted on one line, the list goes in short lines, as one undo step.
        window.to_txt->clear();
        paste(pasted.join(QStringLiteral("; ")));
        EXPECT_EQ(parseRecipients(window.to_txt->text()).recipients, pasted);
        EXPECT_EQ(window.to_txt->document()->blockCount(), pasted.size() / 5);
        window.to_txt->undo();
        EXPECT_TRUE(window.to_txt->text().isEmpty());
        // A long list holding something not an address goes in as it was, for Send to name it;
        // one the field could not lay out at once is refused, naming it, and the field kept.
        const QString mistyped = pasted.join(QStringLiteral(", ")) + QStringLiteral(", guest@");
        paste(mistyped);
        EXPECT_EQ(window.to_txt->text(), mistyped);
        paste(QStringLiteral("a@x.org, ") + QString(5000, u'@'));
        EXPECT_EQ(window.to_txt->text(), mistyped);
        EXPECT_TRUE(dialogs_->messages().back().contains(u"not put in the To field"));
        EXPECT_TRUE(dialogs_->lastInformative().startsWith(QStringLiteral("\"@@@@")));
        window.to_txt->clear();

        window.to_txt->setText(named.join(QStringLiteral(";\r\n")));
        EXPECT_GT(window.to_txt->text().size(), 32767);
        window.Without_barcode_rd_select();
        QEventLoop loop;
        QObject::connect(&window, &Send_Mail::runFinished, &loop, [&] {
            finished = true;
            loop.quit();
        });
        QTimer::singleShot(patience::generousMs, &loop, &QEventLoop::quit);
        window.Send_Button();
        loop.exec();
        return 0;
    };
    window.Open_Wnd();
    ASSERT_TRUE(finished);
    EXPECT_EQ(dialogs_->messages().back(), QStringLiteral("\nE-mail has been sent successfully."));
    QStringList reached;
    for (const QJsonObject& mail : server.mails())
        reached << mail[u"to"].toArray().at(0).toString();
    EXPECT_EQ(reached, addresses);
}

TEST_F(MailWindowsTest, AnAttachmentNamedWithALineBreakOrAFolderIsRefusedWithItsReason)
{
    host_.account.sender = QStringLiteral("me@example.com");
    QTemporaryDir files;
    const QString broken = files.filePath(QStringLiteral("invitation\nBcc: c@y.com.pdf"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.4\n");
    file.close();
    Send_Mail window(host_, settings_);
    dialogs_->modalHandler = [&](QDialog&) {
        window.to_txt->setText(QStringLiteral("one@x.com"));
        window.Without_barcode_rd_select();
        for (const QString& path : { broken, files.path() }) {
            window.attachment->setText(path);
            window.Send_Button();
        }
        // The cards' own file name goes into the header as well.
        window.send_barcode_rd_select();
        window.file_name_txt->setText(QStringLiteral("Card\u2028Bcc"));
        window.Send_Button();
        EXPECT_FALSE(window.isRunning());
        return 0;
    };
    window.Open_Wnd();
    const std::vector<QString> messages = dialogs_->messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("holds a line break"))) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QStringLiteral("Rename the file"))) << messages[0].toStdString();
    EXPECT_TRUE(messages[1].contains(QStringLiteral("is a folder"))) << messages[1].toStdString();
    EXPECT_TRUE(messages[2].contains(QStringLiteral("file name of the attached cards"))) << messages[2].toStdString();
}

TEST_F(MailWindowsTest, UnreadableSettingsAreToldInTheWindowsAndTheFileIsKept)
{
    const QString path = Preferences::settingsFilePath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    const QByteArray hostile = sharedplist::doublingArrays(29);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(hostile);
    file.close();

    dialogs_->modalHandler = [](QDialog&) { return 0; };
    settings_.Open_Wnd();
    ASSERT_EQ(dialogs_->messages().size(), 1u);
    EXPECT_EQ(dialogs_->messages().back(), QLatin1Char('\n') + Preferences::unreadableMessage());
    EXPECT_TRUE(dialogs_->lastInformative().contains(path)) << dialogs_->lastInformative().toStdString();
    EXPECT_TRUE(dialogs_->lastInformative().contains(QStringLiteral("repeats its objects")))
        << dialogs_->lastInformative().toStdString();
    EXPECT_TRUE(settings_._send_mail_smtp->text().isEmpty());

    Send_Mail window(host_, settings_);
    window.Open_Wnd();
    EXPECT_EQ(dialogs_->messages().size(), 2u);
    EXPECT_EQ(dialogs_->messages().back(), QLatin1Char('\n') + Preferences::unreadableMessage());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), hostile);
}

TEST_F(MailWindowsTest, SendWindowMailsBothSidesToEachRecipient)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    useAccountOn(server);
    QWidget mainWindow;
    Send_Modeless sheet(&mainWindow);
    Send_Mail window(host_, settings_);
    bool finished = false;
    dialogs_->modalHandler = [&](QDialog&) {
        window.to_txt->setText(QStringLiteral("one@x.com, two@y.org"));
        window.subject_txt->setText(QStringLiteral("Invitation"));
        window.message_txt->setPlainText(QStringLiteral("Come!"));
        window.matrix_card_side->button(0)->click();
        QEventLoop loop;
        QObject::connect(&window, &Send_Mail::runFinished, &loop, [&] {
            finished = true;
            loop.quit();
        });
        QTimer::singleShot(patience::generousMs, &loop, &QEventLoop::quit);
        window.Send_Button();
        EXPECT_TRUE(window.isRunning());
        EXPECT_EQ(sheet.parentWidget(), &window);
        EXPECT_TRUE(sheet.isVisible());
        loop.exec();
        return 0;
    };
    window.Open_Wnd();
    ASSERT_TRUE(finished);
    EXPECT_EQ(sheet.parentWidget(), &mainWindow);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(dialogs_->messages().back(), QStringLiteral("\nE-mail has been sent successfully."));
    const QList<QJsonObject> mails = server.mails();
    ASSERT_EQ(mails.size(), 2);
    EXPECT_EQ(mails[1][u"to"].toArray().at(0).toString(), QStringLiteral("two@y.org"));
    EXPECT_EQ(mails[1][u"attachments"].toArray().at(0)[u"name"].toString(), QStringLiteral("QUONCard_Back.jpeg"));
}

// An e-mail typed and not sent is not dropped by Escape or Close without a question whose
// default keeps the window open with it; once sent, Close closes at once.
TEST_F(MailWindowsTest, ClosingWithAnUnsentEmailAsksAndItsDefaultKeepsIt)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    useAccountOn(server);
    const QString question
        = QStringLiteral("The e-mail you typed has not been sent. Do you want to close the window and discard it?");
    const auto questions = [&] {
        int count = 0;
        for (const auto& asked : dialogs_->asked())
            count += asked.kind == QLatin1String("choice") && asked.text == question ? 1 : 0;
        return count;
    };
    Send_Mail window(host_, settings_);
    bool closed = false;
    QObject::connect(&window, &QDialog::finished, [&] { closed = true; });
    const auto close = [&] { window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close)->click(); };

    // Nothing typed: Close closes at once.
    dialogs_->modalHandler = [&](QDialog&) {
        close();
        return 0;
    };
    window.Open_Wnd();
    EXPECT_TRUE(closed);
    EXPECT_EQ(questions(), 0);

    closed = false;
    dialogs_->modalHandler = [&](QDialog&) {
        window.show();
        window.subject_txt->insert(QStringLiteral("Our party"));
        window.message_txt->insertPlainText(QStringLiteral("Please come."));
        dialogs_->choiceAnswers = { -1 }; // Escape on the question: its default, Cancel
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&window, &escape);
        EXPECT_EQ(questions(), 1);
        EXPECT_FALSE(closed);
        EXPECT_EQ(window.message_txt->toPlainText(), QStringLiteral("Please come."));
        dialogs_->choiceAnswers = { 0 }; // Discard
        close();
        EXPECT_EQ(questions(), 2);
        EXPECT_TRUE(closed);
        return 0;
    };
    window.Open_Wnd();

    // Sent: nothing is left to lose.
    closed = false;
    bool sent = false;
    dialogs_->modalHandler = [&](QDialog&) {
        window.to_txt->setText(QStringLiteral("one@x.com"));
        window.subject_txt->setText(QStringLiteral("Invitation"));
        window.message_txt->setPlainText(QStringLiteral("Come!"));
        window.Without_barcode_rd_select();
        QObject::connect(&window, &Send_Mail::runFinished, [&](bool allSent) { sent = allSent; });
        window.Send_Button();
        EXPECT_TRUE(patience::eventually([&] { return !window.isRunning(); }));
        close();
        return 0;
    };
    window.Open_Wnd();
    EXPECT_TRUE(sent);
    EXPECT_TRUE(closed);
    EXPECT_EQ(questions(), 2);
}

// Send again after the Stop offers the mails not sent, Cancel the default; a list in another
// order with a recipient added is still compared mail by mail. The record goes by the mail and
// outlives the window: a run that sent everything is asked about too, with when it went, and
// rows re-ordered, added or changed ask about exactly the mails sent. Record files of the
// earlier kind are read in once; one that cannot be read is a doubt told at every Send. A
// record that cannot be used is asked about before anything goes, Cancel the default.
TEST_F(MailWindowsTest, StopDuringAPauseSaysHowManyMailsWereSentAndSendingAgainOffersTheRest)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    useAccountOn(server);
    host_.batch.Use_Data_Sheet_Values = true;
    host_.rows = 3;
    host_.cards = { { "Ann" }, { "Bob" }, { "Cyd" } };
    QWidget mainWindow;
    Send_Modeless sheet(&mainWindow);
    std::unique_ptr<Send_Mail> window;
    QString pauseShown, counterShown;
    bool finished = false;
    QEventLoop loop;
    const auto reopen = [&] {
        window = std::make_unique<Send_Mail>(host_, settings_);
        QObject::connect(window.get(), &Send_Mail::runFinished, &loop, [&] {
            finished = true;
            loop.quit();
        });
    };
    reopen();
    const auto send = [&](std::deque<int> answers) {
        dialogs_->choiceAnswers = answers;
        finished = false;
        window->Send_Button();
        if (window->isRunning())
            loop.exec();
    };
    // Stopped in the hour's pause after the first step.
    const auto sendAndStopAfterTheFirst = [&] {
        window->delayed_delv_chk->setChecked(true);
        window->hour_txt->setValue(1);
        finished = false;
        window->Send_Button();
        // The countdown of the pause after the first mail shows on the progress sheet.
        const auto* pause = sheet.findChild<QLabel*>(QStringLiteral("pause_label"));
        patience::eventually([pause] { return !pause->text().isEmpty(); });
        pauseShown = pause->text();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 600); // one tick of the counter
        counterShown = sheet.findChild<QLabel*>(QStringLiteral("curr_msg_cnt"))->text();
        dialogs_->yesNoAnswers = { true };
        sheet.Stop_Sending_Pressed();
        if (!finished)
            loop.exec();
        window->delayed_delv_chk->setChecked(false);
    };
    const auto inWindow = [&](const QString& subject, const std::function<void()>& steps) {
        dialogs_->modalHandler = [&, subject](QDialog&) {
            window->subject_txt->setText(subject);
            steps();
            return 0;
        };
        window->Open_Wnd();
    };
    const auto allRowsTo = [&](const QString& to) {
        window->send_with_batch_chk->setChecked(true);
        window->send_with_batch_chk_select();
        window->rd_all_to_every->setChecked(true);
        window->to_txt->setText(to);
    };
    inWindow(QStringLiteral("Invitation"), [&] {
        window->to_txt->setText(QStringLiteral("one@x.com, two@y.org, three@z.net"));
        sendAndStopAfterTheFirst();
    });
    EXPECT_EQ(dialogs_->messages().back(), QStringLiteral("\nSending was stopped.\n\nE-mails sent: 1 of 3."));
    EXPECT_EQ(pauseShown.left(30), QStringLiteral("Pausing the process for 1 Hour"));
    EXPECT_EQ(counterShown, QStringLiteral("1 / 3 E-mails"));
    reopen();
    inWindow(QStringLiteral("Invitation"), [&] {
        window->to_txt->setText(QStringLiteral("two@y.org, One@X.com, three@z.net, four@w.org"));
        send({ 2 }); // Cancel
        send({ 0 });
        EXPECT_EQ(dialogs_->messages().back(),
            QStringLiteral(
                "\nE-mail has been sent successfully.\n\n1 e-mail sent by an earlier run was not sent again."));
        // A run that sent everything is not forgotten: sent again only when asked for.
        send({ 0 });
        EXPECT_EQ(dialogs_->messages().back(),
            QStringLiteral("\nE-mail has been sent successfully.\n\n4 of them went a second time, as you chose."));
    });

    // Every row's card to both, stopped after row 1 (Ann's), and the program started again on
    // rows sorted anew, one added and another changed.
    inWindow(QStringLiteral("Party"), [&] {
        allRowsTo(QStringLiteral("one@x.com, two@y.org"));
        sendAndStopAfterTheFirst();
    });
    reopen();
    host_.rows = 4;
    host_.cards = { { "Cyd" }, { "Bobby" }, { "Dee" }, { "Ann" } };
    inWindow(QStringLiteral("Party"), [&] {
        allRowsTo(QStringLiteral("two@y.org, one@x.com"));
        send({ 2 });
        send({ 0 });
    });
    // When they went is told as the clock says.
    const QRegularExpression today(QStringLiteral("today (at \\S+|between \\S+ and \\S+)(?=:| \\()"));
    QStringList offered;
    for (const auto& question : dialogs_->asked())
        if (question.text.contains(QStringLiteral(" already")))
            offered << question.text.section(u'\n', 0, 0).replace(today, QStringLiteral("WHEN"));
    EXPECT_EQ(offered,
        QStringList({ "1 of these 4 e-mails was already sent WHEN: One@X.com.",
            "1 of these 4 e-mails was already sent WHEN: One@X.com.",
            "4 of these 4 e-mails were already sent WHEN: two@y.org; One@X.com; three@z.net; four@w.org.",
            "2 of these 8 e-mails were already sent WHEN (row 4): row 4 to two@y.org; row 4 to one@x.com.",
            "2 of these 8 e-mails were already sent WHEN (row 4): row 4 to two@y.org; row 4 to one@x.com." }));
    QStringList reached;
    for (const QJsonObject& mail : server.mails())
        reached << mail[u"to"].toArray().at(0).toString();
    EXPECT_EQ(reached.mid(8).join(u' '),
        QStringLiteral("one@x.com two@y.org two@y.org one@x.com two@y.org one@x.com two@y.org one@x.com"));

    // Record files of the earlier kind: one holding a mail sent weeks ago, read in; one that
    // cannot be read, a doubt told at every Send.
    MailJob earlier;
    earlier.mode = MailJob::Mode::WithoutCard;
    earlier.recipients = QStringList { QStringLiteral("five@v.org") };
    earlier.subject = QStringLiteral("Party");
    const QString old = SentMailStore::defaultOldFilesFolder() + u'/';
    QFile readable(old + QStringLiteral("a.txt"));
    ASSERT_TRUE(QDir().mkpath(old) && writeFileChecked(old + QStringLiteral("b.txt"), QByteArray("{\"design\": "))
        && readable.open(QIODevice::WriteOnly)
        && readable.write("{\"design\":\"/d/party.gvt\"}\n" + mailKeys(earlier, {}).at(0).toBase64() + '\n') > 0
        && readable.flush()
        && readable.setFileTime(QDateTime::currentDateTime().addDays(-20), QFileDevice::FileModificationTime));
    readable.close();
    const auto withoutCardTo = [&](const QString& to, std::deque<int> answers) {
        inWindow(QStringLiteral("Party"), [&] {
            window->Without_barcode_rd_select();
            window->to_txt->setText(to);
            send(answers);
        });
    };
    withoutCardTo(QStringLiteral("five@v.org, six@v.org"), { 0 });
    EXPECT_TRUE(lastChoice().text.startsWith(
        QStringLiteral("Some of these 2 e-mails may have been sent already without being known")));
    EXPECT_TRUE(lastChoice().text.contains(QStringLiteral("1 of these 2 e-mails was already sent on ")));
    EXPECT_TRUE(lastChoice().details.contains(old + QStringLiteral("b.txt cannot be read")));
    EXPECT_EQ(server.mails().last()[u"to"].toArray().at(0).toString(), QStringLiteral("six@v.org"));
    withoutCardTo(QStringLiteral("seven@v.org"), { 1 }); // still in doubt: asked, and Cancel sends nothing
    EXPECT_TRUE(lastChoice().text.startsWith(QStringLiteral("Some of these 1 e-mail")));
    EXPECT_TRUE(QFile::exists(old + QStringLiteral("a.txt")));

    // A record that cannot be used: asked before anything goes, and left as it is.
    const QString record = SentMailStore::defaultPath();
    ASSERT_TRUE(QFile::rename(record, record + QStringLiteral(".kept"))
        && QFile::link(record + QStringLiteral(".kept"), record));
    const int mailsBefore = int(server.mails().size());
    withoutCardTo(QStringLiteral("eight@v.org"), { 1 });
    EXPECT_EQ(lastChoice().text,
        QStringLiteral("The record of e-mails sent cannot be written: %1 is a symbolic link, not a regular file. "
                       "Without it, Galavite cannot tell later which mails went. Send without a record?")
            .arg(record));
    withoutCardTo(QStringLiteral("eight@v.org"), { 0 }); // Send Anyway
    EXPECT_EQ(server.mails().size(), mailsBefore + 1);
    EXPECT_TRUE(QFileInfo(record).isSymLink());
}

TEST_F(MailWindowsTest, ClosingTheWindowsWhileAServerHoldsAMailStopsTheRun)
{
    enum class Close
    {
        ProgressSheet, // its close button or Esc: the Stop question
        SendWindow, // its Close button, as its close button and Esc: the same question, and the
                    // window closes after the run
        Program // no question; the window closes after the run
    };
    for (const Close closing : { Close::ProgressSheet, Close::SendWindow, Close::Program }) {
        SCOPED_TRACE(int(closing));
        LocalSmtpServer server(LocalSmtpServer::Mode::TrickleGreeting);
        ASSERT_TRUE(server.isListening());
        TrustingMailScript script(server.caFile());
        useAccountOn(server);
        host_.account.securityFlag = QStringLiteral("Y");
        QWidget mainWindow;
        Send_Modeless sheet(&mainWindow);
        Send_Mail window(host_, settings_);
        bool finished = false, windowClosed = false;
        qint64 pid = 0;
        QObject::connect(&window, &QDialog::finished, [&] { windowClosed = true; });
        dialogs_->modalHandler = [&](QDialog&) {
            window.to_txt->setText(QStringLiteral("one@x.com, two@y.org, three@z.net"));
            // Another mail each time: the last one's may have gone.
            window.subject_txt->setText(QStringLiteral("Invitation %1").arg(int(closing)));
            window.Without_barcode_rd_select();
            QObject::connect(&window, &Send_Mail::runFinished, [&] { finished = true; });
            window.Send_Button();
            EXPECT_TRUE(server.waitForTrickle(2));
            pid = script.recordedPid();
            EXPECT_TRUE(sheet.isVisible());
            dialogs_->yesNoAnswers = { true };
            if (closing == Close::ProgressSheet)
                sheet.reject();
            else if (closing == Close::SendWindow)
                window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close)->click();
            else
                window.stopRunAndClose();
            // Generous: the server would hold the mail for minutes.
            EXPECT_TRUE(patience::eventually([&] { return finished; }, 15000));
            patience::eventually([&] { return finished; });
            return 0;
        };
        window.Open_Wnd();
        ASSERT_TRUE(finished);
        EXPECT_FALSE(sheet.isVisible());
        EXPECT_EQ(dialogs_->messages().back(), QStringLiteral("\nSending was stopped.\n\nE-mails sent: 1 of 3."));
        EXPECT_EQ(dialogs_->yesNoAnswers.empty(), closing != Close::Program);
        EXPECT_EQ(windowClosed, closing != Close::ProgressSheet);
        EXPECT_GT(pid, 0);
        EXPECT_NE(::kill(pid_t(pid), 0), 0); // the script is gone
    }
}

TEST_F(MailWindowsTest, ARefusedRecipientIsNamedAndARowsCardToAnotherRowsAddressIsAskedFirst)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls, 1, { QStringLiteral("gone@y.org") });
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    useAccountOn(server);
    host_.batch.Use_Excel_Binding_Values = true;
    host_.rows = 3;
    const QStringList names { QStringLiteral("Ann"), QStringLiteral("Bob"), QStringLiteral("Cyd") };
    host_.columns
        = { names, { QStringLiteral("ann@x.org"), QStringLiteral("Bob@X.org "), QStringLiteral("cyd@x.org") } };
    host_.cards = { { names.at(0) }, { names.at(1) }, { names.at(2) } };
    Send_Mail window(host_, settings_);
    int runs = 0;
    QObject::connect(&window, &Send_Mail::runFinished, [&] { ++runs; });
    const auto sendTo = [&](const QString& to, int expectedRuns) {
        window.to_txt->setText(to);
        window.Send_Button();
        EXPECT_TRUE(patience::eventually([&] { return !window.isRunning() && runs == expectedRuns; }));
    };
    dialogs_->modalHandler = [&](QDialog&) {
        sendTo(QStringLiteral("one@x.com, gone@y.org, three@z.net"), 1);
        EXPECT_EQ(dialogs_->messages().back(),
            QStringLiteral("\n1 e-mail was not sent: the server refused its "
                           "recipient (gone@y.org).\n\nE-mails sent: 2 of 3."));
        EXPECT_TRUE(
            dialogs_->lastDetails().startsWith(QStringLiteral("The server refused the recipient gone@y.org: 550")));
        window.send_with_excel_chk->click();
        window.rd_one_per_recp->click();
        // The rows are checked behind the please-wait sheet: its Stop sends nothing and asks nothing.
        host_.stopOnceRowsAreRead = true;
        host_.rowsRead = false;
        const size_t askedBefore = dialogs_->asked().size();
        sendTo(QStringLiteral("bob@x.org, cyd@x.org, ann@x.org"), 1);
        EXPECT_EQ(dialogs_->asked().size(), askedBefore);
        host_.stopOnceRowsAreRead = false;
        // The mails are keyed behind the same sheet, from the cards' values read there.
        host_.stopWhileCardsAreRead = true;
        sendTo(QStringLiteral("bob@x.org, cyd@x.org, ann@x.org"), 1);
        EXPECT_EQ(dialogs_->asked().size(), askedBefore);
        host_.stopWhileCardsAreRead = false;
        // Row 1's card to row 2's person: asked, and Escape or Cancel sends nothing.
        for (const int answer : { -1, 1 }) {
            dialogs_->choiceAnswers = { answer };
            sendTo(QStringLiteral("bob@x.org, cyd@x.org, ann@x.org"), 1);
        }
        // Each row's own address, and rows that hold no addresses: nothing to ask.
        sendTo(QStringLiteral("ann@x.org, bob@x.org, cyd@x.org"), 2);
        host_.columns = { names };
        sendTo(QStringLiteral("bob@x.org, cyd@x.org, ann@x.org"), 3);
        // A cell of hundreds of addresses is quoted by its first few; the details hold them all.
        QString club;
        for (int k = 0; k < 500; ++k)
            club += QStringLiteral("member%1.%2@club.example, ").arg(k).arg(QString(40, u'x'));
        host_.columns = { names, { club, QStringLiteral("Bob@X.org"), QStringLiteral("cyd@x.org") } };
        dialogs_->choiceAnswers = { 1 };
        sendTo(QStringLiteral("bob@x.org, cyd@x.org, ann@x.org"), 3);
        // A row whose "@" gives no address is asked about before rows' cards go, and not before
        // the card as shown or a mail without the card (Cancel, were they asked).
        host_.columns = { names, { QStringLiteral("ann@x.org"), QStringLiteral("@"), QStringLiteral("cyd@x.org") } };
        dialogs_->choiceAnswers = { 1, 1, 1 };
        sendTo(QStringLiteral("ann@x.org, bob@x.org, cyd@x.org"), 3);
        EXPECT_TRUE(lastChoice().text.startsWith(u"1 row holds an \"@\" but no e-mail"));
        window.send_with_excel_chk->click();
        sendTo(QStringLiteral("dan@x.org"), 4);
        window.Without_barcode_rd_select();
        sendTo(QStringLiteral("eve@x.org"), 5);
        EXPECT_EQ(dialogs_->choiceAnswers.size(), 2u);
        return 0;
    };
    window.Open_Wnd();
    std::vector<ScriptedDialogService::Asked> asked;
    for (const auto& question : dialogs_->asked())
        if (question.kind == QLatin1String("choice") && question.text.startsWith(u"The recipients do not match"))
            asked.push_back(question);
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_TRUE(asked[0].text.contains(
        QStringLiteral("bob@x.org would get the card of row 1 (ann@x.org), though row 2 holds that address.\ncyd@x.org "
                       "would get the card of row 2 (Bob@X.org), though row 3 holds that address.\nann@x.org would "
                       "get the card of row 3 (cyd@x.org), though row 1 holds that address.")))
        << asked[0].text.toStdString();
    EXPECT_TRUE(asked[0].safeDefault);
    EXPECT_TRUE(asked[2].text.contains(QStringLiteral("… and 497 more), though row 2 holds that address.\ncyd@x.org")))
        << asked[2].text.toStdString();
    EXPECT_LT(asked[2].text.size(), 800);
    EXPECT_TRUE(asked[2].details.contains(QStringLiteral("member499.")));
    ASSERT_TRUE(server.waitForMails(10));
    EXPECT_EQ(server.mails().size(), 10);
    EXPECT_EQ(server.mails()[3][u"to"].toArray().at(0).toString(), QStringLiteral("bob@x.org"));
}

// A copy of the program killed with SIGKILL while the server holds its third mail: that mail
// was marked before it left, so the next Send asks about it as one that may have gone, and
// "Send the N Not Sent" leaves it out.
TEST_F(MailWindowsTest, AMailOnItsWayWhenACopyWasKilledIsAskedAboutAndLeftOut)
{
    {
        LocalSmtpServer holding(LocalSmtpServer::Mode::TrickleAfterData, 2);
        ASSERT_TRUE(holding.isListening());
        TrustingMailScript script(holding.caFile());
        QProcess copy;
        qputenv("COPY_TO_KILL",
            QStringList { SentMailStore::defaultPath(), mailScriptPath(), holding.port() }.join(u'\n').toUtf8());
        copy.start(QCoreApplication::applicationFilePath(),
            { QStringLiteral("--gtest_also_run_disabled_tests"),
                QStringLiteral("--gtest_filter=*.DISABLED_CopyToKill") });
        qunsetenv("COPY_TO_KILL");
        ASSERT_TRUE(holding.waitForMails(3)); // the third is with the server, which holds its answer
        ::kill(pid_t(copy.processId()), SIGKILL);
        copy.waitForFinished();
    }
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    useAccountOn(server);
    mailEachGuestTheirRow();
    EXPECT_TRUE(lastChoice().text.startsWith(QStringLiteral("2 of these 5 e-mails were already sent today ")))
        << lastChoice().text.toStdString();
    EXPECT_TRUE(lastChoice().text.contains(
        QStringLiteral("\n\n1 e-mail may have gone out when Galavite last ended: row 3 to c@x.org.\n\n")));
    ASSERT_TRUE(server.waitForMails(2));
    QStringList reached;
    for (const QJsonObject& mail : server.mails())
        reached << mail[u"to"].toArray().at(0).toString();
    EXPECT_EQ(reached, QStringList({ "d@x.org", "e@x.org" }));
    EXPECT_EQ(dialogs_->messages().back(),
        QStringLiteral(
            "\nE-mail has been sent successfully.\n\n3 e-mails sent by an earlier run were not sent again."));
}

// The copy of this program that the test above kills mid-run, given the record's file, the mail
// script and the port of a server over TLS.
TEST_F(MailWindowsTest, DISABLED_CopyToKill)
{
    const QStringList given = qEnvironmentVariable("COPY_TO_KILL").split(u'\n');
    ASSERT_EQ(given.size(), 3);
    SentMailStore::setDefaultPath(given.at(0));
    setMailScriptPath(given.at(1));
    host_.account = { QStringLiteral("me@example.com"), QStringLiteral("pw"), QStringLiteral("127.0.0.1"), given.at(2),
        QStringLiteral("Y") };
    mailEachGuestTheirRow();
}

#include "LocalSmtpServer.h"

#include "mailing/MailAddresses.h"
#include "mailing/MailHandoff.h"
#include "mailing/PlainRecipient.h"
#include "support/Patience.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
const QString password = QStringLiteral("Pässwörd-42");

// Sends one message through the hand-off with fixed account values.
bool send(const QString& port, const QString& flag, const QString& to, const QString& subject,
    const QStringList& attachments = {}, const QString& body = QStringLiteral("Body"), const QString& pwd = password,
    QString* reason = nullptr)
{
    QProcess process;
    return sendEmail_pyth(process, to, subject, attachments, QStringLiteral("sender@example.com"), pwd,
               QStringLiteral("127.0.0.1"), port, body, flag, reason)
        == MailDelivery::Sent;
}
bool send(const LocalSmtpServer& server, const QString& flag, const QString& to, const QString& subject,
    const QStringList& attachments = {}, const QString& body = QStringLiteral("Body"), const QString& pwd = password,
    QString* reason = nullptr)
{
    return send(server.port(), flag, to, subject, attachments, body, pwd, reason);
}

// Sets an environment variable for one scope.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : name_(name)
        , saved_(qgetenv(name))
        , wasSet_(qEnvironmentVariableIsSet(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnvironment()
    {
        if (wasSet_)
            qputenv(name_, saved_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    QByteArray saved_;
    bool wasSet_;
};

QString writeImage(const QTemporaryDir& dir, const QString& name, const char* format)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString path = dir.filePath(name);
    image.save(path, format);
    return path;
}
// Runs the shipped script by itself, as far as it gets without a server; what it says when it
// ends with status 1, or why it did not.
QString scriptRefusal(const QString& subject, const QStringList& attachments)
{
    QProcess script;
    script.start(QStringLiteral("/usr/bin/python3"),
        QStringList { QStringLiteral(GALAVITE_SOURCE_DIR "/resources/pyth_mail.py"), QStringLiteral("a@example.com"),
            QStringLiteral("127.0.0.1"), QStringLiteral("25"), QStringLiteral("a@example.com"),
            QStringLiteral("b@example.com"), subject, QStringLiteral("-"), QStringLiteral("N") }
            + attachments);
    script.write("pw\nBody");
    script.closeWriteChannel();
    if (!patience::finished(script))
        return QStringLiteral("<still running>");
    if (script.exitCode() != 1)
        return QStringLiteral("<status %1>").arg(script.exitCode());
    return QString::fromUtf8(script.readAllStandardError()).trimmed();
}
} // namespace

TEST(MailHandoff, ImplicitTlsDeliversTextAndTypedAttachmentsInOrder)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::ImplicitTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    QTemporaryDir files;
    const QString back = writeImage(files, QStringLiteral("Card_Back.jpeg"), "JPEG");
    const QString front = writeImage(files, QStringLiteral("Card.png"), "PNG");

    // The recipient as written goes into the header; the mail goes to its address.
    const QString recipient = QStringLiteral("\"Gast, Liebe\" (Familie) <Guest@Example.org>");
    ASSERT_TRUE(send(server, QStringLiteral("Y"), recipient, QStringLiteral("Grüße 🎉"), { back, front },
        QStringLiteral("Liebe Gäste,\nwillkommen!")));
    ASSERT_TRUE(server.waitForMails(1));
    const QJsonObject mail = server.mails().at(0);
    EXPECT_EQ(mail[u"subject"].toString(), QStringLiteral("Grüße 🎉"));
    EXPECT_EQ(mail[u"body"].toString(), QStringLiteral("Liebe Gäste,\r\nwillkommen!\r\n"));
    EXPECT_EQ(mail[u"to"].toArray().at(0).toString(), QStringLiteral("Guest@Example.org"));
    EXPECT_EQ(mail[u"header_to"].toString(), QStringLiteral("\"Gast, Liebe\" <Guest@Example.org>"));
    EXPECT_EQ(mail[u"from"].toString(), QStringLiteral("sender@example.com"));
    const QJsonArray attachments = mail[u"attachments"].toArray();
    ASSERT_EQ(attachments.size(), 2);
    EXPECT_EQ(attachments.at(0)[u"name"].toString(), QStringLiteral("Card_Back.jpeg"));
    EXPECT_EQ(attachments.at(0)[u"type"].toString(), QStringLiteral("image/jpeg"));
    EXPECT_TRUE(attachments.at(0)[u"head"].toString().startsWith(u"ffd8ff"));
    EXPECT_EQ(attachments.at(1)[u"name"].toString(), QStringLiteral("Card.png"));
    EXPECT_EQ(attachments.at(1)[u"type"].toString(), QStringLiteral("image/png"));
    EXPECT_EQ(server.authPasswords(), QStringList { password });

    // Two attachments come after the security flag, in the order given.
    const QStringList arguments = script.recordedArguments();
    ASSERT_EQ(arguments.size(), 12);
    EXPECT_EQ(arguments.mid(9), (QStringList { QStringLiteral("Y"), back, front }));
}

TEST(MailHandoff, StartTlsCarriesNothingSecretOnTheCommandLineOrInTheEnvironment)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());

    ASSERT_TRUE(send(server, QStringLiteral("N"), QStringLiteral("guest@example.org"), QStringLiteral("Hello")));
    ASSERT_TRUE(server.waitForMails(1));
    EXPECT_EQ(server.authPasswords(), QStringList { password });

    // The interpreter, the script and eight values; no attachment.
    const QStringList arguments = script.recordedArguments();
    ASSERT_EQ(arguments.size(), 10);
    EXPECT_EQ(arguments.at(0), QStringLiteral("/usr/bin/python3"));
    EXPECT_EQ(arguments.mid(2),
        (QStringList { QStringLiteral("sender@example.com"), QStringLiteral("127.0.0.1"), server.port(),
            QStringLiteral("sender@example.com"), QStringLiteral("guest@example.org"), QStringLiteral("Hello"),
            QStringLiteral("-"), QStringLiteral("N") }));
    // Nothing but the search paths, the certificate variables where the user has set them,
    // and the time the mail may take.
    QStringList expected { QStringLiteral("MAIL_DEADLINE_SECONDS=120"),
        QStringLiteral("MAIL_RECIPIENT_ADDRESS=guest@example.org"), QStringLiteral("PATH=/bin:/usr/bin:/usr/local/bin"),
        QStringLiteral("PYTHONPATH=") };
    for (const char* name : { "SSL_CERT_DIR", "SSL_CERT_FILE" })
        if (qEnvironmentVariableIsSet(name))
            expected << QString::fromLatin1(name) + u'=' + qEnvironmentVariable(name);
    QStringList environment = script.recordedEnvironment();
    environment.sort();
    EXPECT_EQ(environment, expected) << environment.join(u' ').toStdString();
    EXPECT_FALSE(arguments.join(u' ').contains(password));
}

TEST(MailHandoff, EmptyPasswordStillReachesTheScriptAsALine)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    ASSERT_TRUE(send(server, QStringLiteral("N"), QStringLiteral("guest@example.org"), QStringLiteral("Hi"), {},
        QStringLiteral("Body"), QString()));
    EXPECT_EQ(server.authPasswords(), QStringList { QString() });
}

TEST(MailHandoff, ServerWithoutStartTlsNeverGetsThePasswordAndSaysSo)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::NoStartTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    QString reason;
    EXPECT_FALSE(send(server, QStringLiteral("N"), QStringLiteral("guest@example.org"), QStringLiteral("Hello"), {},
        QStringLiteral("Body"), password, &reason));
    EXPECT_EQ(reason, QStringLiteral("The server does not offer STARTTLS, so the password was not sent."));
    EXPECT_TRUE(server.authPasswords().isEmpty());
    EXPECT_TRUE(server.mails().isEmpty());
}

TEST(MailHandoff, UntrustedCertificateFailsWithItsOwnReason)
{
    for (const auto mode : { LocalSmtpServer::Mode::ImplicitTls, LocalSmtpServer::Mode::StartTls }) {
        LocalSmtpServer server(mode);
        ASSERT_TRUE(server.isListening());
        const QString flag = mode == LocalSmtpServer::Mode::ImplicitTls ? QStringLiteral("Y") : QStringLiteral("N");
        // The shipped script alone trusts only the system's store, not the test authority.
        QString reason;
        EXPECT_FALSE(send(server, flag, QStringLiteral("guest@example.org"), QStringLiteral("Hello"), {},
            QStringLiteral("Body"), password, &reason));
        EXPECT_TRUE(reason.startsWith(QStringLiteral("The server's certificate is not trusted: ")))
            << reason.toStdString();
        EXPECT_TRUE(server.authPasswords().isEmpty());
    }
}

TEST(MailHandoff, ThePrivateAuthorityNamedInSslCertFileIsTrusted)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::ImplicitTls);
    ASSERT_TRUE(server.isListening());
    // The shipped script, with nothing in front of it: only the variable carries the trust.
    ScopedEnvironment trust("SSL_CERT_FILE", QFile::encodeName(server.caFile()));
    QString reason;
    EXPECT_TRUE(send(server, QStringLiteral("Y"), QStringLiteral("guest@example.org"), QStringLiteral("Hello"), {},
        QStringLiteral("Body"), password, &reason))
        << reason.toStdString();
    EXPECT_TRUE(server.waitForMails(1));
}

TEST(MailHandoff, ARefusedLoginIsNamedWithTheServersAnswer)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::RefusesLogin);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    QString reason;
    EXPECT_FALSE(send(server, QStringLiteral("N"), QStringLiteral("guest@example.org"), QStringLiteral("Hello"), {},
        QStringLiteral("Body"), password, &reason));
    EXPECT_TRUE(reason.startsWith(QStringLiteral("The server refused the login: 535"))) << reason.toStdString();
    EXPECT_TRUE(server.mails().isEmpty());
}

TEST(MailHandoff, ARefusedConnectionIsNamed)
{
    // A port that was free a moment ago: nothing listens there.
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length), 0);
    ::close(probe);
    const QString port = QString::number(ntohs(address.sin_port));
    QString reason;
    EXPECT_FALSE(send(port, QStringLiteral("N"), QStringLiteral("guest@example.org"), QStringLiteral("Hello"), {},
        QStringLiteral("Body"), password, &reason));
    EXPECT_EQ(reason, QStringLiteral("The server 127.0.0.1 refused the connection on port %1.").arg(port));
}

TEST(MailHandoff, APasswordWithALineBreakIsRefusedBeforeTheScriptRuns)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    QString reason;
    EXPECT_FALSE(send(server, QStringLiteral("N"), QStringLiteral("guest@example.org"), QStringLiteral("Hi"), {},
        QStringLiteral("Body"), QStringLiteral("first\nsecond"), &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("line break")));
    EXPECT_TRUE(script.recordedArguments().isEmpty());
}

TEST(MailScript, LineSeparatorsInSingleLineFieldsAreRefusedWithAMessageNotATraceback)
{
    for (const QChar separator : { QChar(0x2028), QChar(0x0085), QChar(0x2029) })
        EXPECT_EQ(scriptRefusal(QStringLiteral("Hi") + separator + QStringLiteral("Bcc: c@x.org"), {}),
            QStringLiteral("The subject holds a line break or a control character."))
            << int(separator.unicode());
}

TEST(MailHandoff, AnAttachmentNamedWithALineBreakOrAFolderIsRefusedBeforeTheScriptRuns)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    QTemporaryDir files;
    const QString broken = writeImage(files, QStringLiteral("card\nBcc: c@y.com.png"), "PNG");
    const std::pair<QString, QString> cases[]
        = { { broken, QStringLiteral("holds a line break") }, { files.path(), QStringLiteral("is a folder") } };
    for (const auto& [path, reason] : cases) {
        QString why;
        EXPECT_FALSE(send(server, QStringLiteral("N"), QStringLiteral("guest@example.org"), QStringLiteral("Hi"),
            { path }, QStringLiteral("Body"), password, &why));
        EXPECT_TRUE(why.contains(reason)) << why.toStdString();
    }
    EXPECT_TRUE(script.recordedArguments().isEmpty());
    EXPECT_TRUE(server.mails().isEmpty());
}

// Run by itself, the script names the cause instead of an unexpected error.
TEST(MailScript, AnAttachmentNamedWithALineBreakOrAFolderIsNamedAsTheCause)
{
    QTemporaryDir files;
    const QString broken = writeImage(files, QStringLiteral("card\u2028Bcc.png"), "PNG");
    const std::pair<QString, QString> cases[]
        = { { broken, QStringLiteral("its file name is empty or holds a line break") },
              { files.path(), QStringLiteral("it is a folder") } };
    for (const auto& [path, reason] : cases) {
        const QString said = scriptRefusal(QStringLiteral("Hi"), { path });
        EXPECT_TRUE(said.contains(reason)) << said.toStdString();
        EXPECT_FALSE(said.contains(QStringLiteral("unexpected"))) << said.toStdString();
    }
}

TEST(MailHandoff, HeaderInjectionIsRefusedBeforeTheScriptRuns)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    EXPECT_FALSE(send(server, QStringLiteral("N"), QStringLiteral("a@x.com\r\nBcc: c@y.com"), QStringLiteral("Hi")));
    EXPECT_FALSE(send(server, QStringLiteral("N"), QStringLiteral("a@x.com"), QStringLiteral("Hi\nBcc: c@y.com")));
    // Nor does a recipient that is not one mailbox reach the script.
    QString reason;
    EXPECT_FALSE(send(server, QStringLiteral("N"), QStringLiteral("Ann <a@x.com>, b@y.com"), QStringLiteral("Hi"), {},
        QStringLiteral("Body"), password, &reason));
    EXPECT_EQ(reason, QStringLiteral("The recipient Ann <a@x.com>, b@y.com is not an e-mail address."));
    EXPECT_TRUE(script.recordedArguments().isEmpty());
    EXPECT_TRUE(server.mails().isEmpty());
}

TEST(MailHandoff, ABodyFarLongerThanACommandLineArrivesWholeAndANulIsRefused)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    // 300 KiB: over the 128 KiB a single argument may hold.
    QString body;
    for (int line = 0; body.size() < 300 * 1024; ++line)
        body += QStringLiteral("Zeile %1: Wir freuen uns auf Sie – bis bald!\n").arg(line);
    QString reason;
    ASSERT_TRUE(send(server, QStringLiteral("N"), QStringLiteral("guest@example.org"), QStringLiteral("Hello"), {},
        body, password, &reason))
        << reason.toStdString();
    ASSERT_TRUE(server.waitForMails(1));
    QString received = server.mails().at(0)[u"body"].toString();
    received.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(received.size(), body.size());
    EXPECT_TRUE(received == body) << "the body arrived changed";
    EXPECT_EQ(server.authPasswords(), QStringList { password });

    const QString withNul = QStringLiteral("Before") + QChar(0) + QStringLiteral("after");
    EXPECT_FALSE(send(server, QStringLiteral("N"), QStringLiteral("guest@example.org"), QStringLiteral("Hello"), {},
        withNul, password, &reason));
    EXPECT_EQ(reason, bodyNulMessage());
    EXPECT_EQ(server.mails().size(), 1);
}

TEST(MailScript, AServerThatNeverEndsItsGreetingFailsTheMailWithinBoundedMemory)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::FloodGreeting);
    ASSERT_TRUE(server.isListening());
    // Runs the shipped script as its child and records the child's peak memory once it has ended.
    QTemporaryDir dir;
    const QString peakFile = dir.filePath(QStringLiteral("peak-kib"));
    const QString measuring = dir.filePath(QStringLiteral("measuring_mail.py"));
    QFile file(measuring);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("import resource, subprocess, sys\n"
                              "child = subprocess.run(['/usr/bin/python3', '%1'] + sys.argv[1:])\n"
                              "with open('%2', 'w') as record:\n"
                              "    record.write(str(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss))\n"
                              "sys.exit(child.returncode)\n")
                   .arg(QStringLiteral(GALAVITE_SOURCE_DIR "/resources/pyth_mail.py"), peakFile)
                   .toUtf8());
    file.close();
    setMailScriptPath(measuring);
    QString reason;
    QProcess process;
    const MailDelivery delivery = sendEmail_pyth(process, QStringLiteral("guest@example.org"), QStringLiteral("Hi"), {},
        QStringLiteral("sender@example.com"), password, QStringLiteral("127.0.0.1"), server.port(),
        QStringLiteral("Body"), QStringLiteral("N"), &reason);
    setMailScriptPath(QString());
    EXPECT_EQ(delivery, MailDelivery::Failed);
    EXPECT_TRUE(reason.startsWith(QStringLiteral("The server's answer is too long"))) << reason.toStdString();
    QFile peak(peakFile);
    ASSERT_TRUE(peak.open(QIODevice::ReadOnly));
    const qint64 peakKiB = peak.readAll().toLongLong();
    EXPECT_GT(peakKiB, 0);
    // The whole flood, kept, would take over 100 MB.
    EXPECT_LT(peakKiB, 50 * 1024);
}

TEST(MailHandoff, RecipientsTheScriptCannotWriteAreRefusedWithTheReasonAndANameHoldingAnAtStaysQuoted)
{
    const QString nested = QString(16000, u'(') + QString(16000, u')') + QStringLiteral(" bob@example.org");
    EXPECT_EQ(
        recipientsTheScriptRefuses({ QStringLiteral("ann@example.org"),
            QStringLiteral("\"Noack, Lukas\" <M252@Club.Example>"), QStringLiteral("k@x.org (Karl, Junior)"),
            // Folded into several encoded words, a long name comes back with spaces added.
            QString::fromUtf8("J\u00fcrgen M\u00fcller-L\u00fcdenscheidt ").repeated(8) + QStringLiteral("<j@x.org>"),
            QStringLiteral("\"  Ida  \" <ida@x.org>") }),
        QString());
    const std::pair<QString, QString> refused[] = {
        { nested, QStringLiteral("is longer than 998 characters") },
        { QStringLiteral("b\u00f8b@example.org"), QStringLiteral("outside ASCII") },
        { QStringLiteral("=?utf-8?q?Ann=0ABcc:_c=40y.org?= <ann@example.org>"), QStringLiteral("CR or LF") },
    };
    for (const auto& [recipient, reason] : refused) {
        const QString said = recipientsTheScriptRefuses({ QStringLiteral("ann@example.org"), recipient });
        EXPECT_TRUE(said.startsWith(QStringLiteral("The recipient "))) << said.toStdString();
        EXPECT_TRUE(said.contains(reason)) << said.toStdString();
        EXPECT_FALSE(said.contains(QStringLiteral("unexpected"))) << said.toStdString();
        EXPECT_LT(said.size(), 300) << "the recipient is shown shortened";
    }

    // Recipients written plainly are not asked of the script, which takes each of them itself;
    // those near them are asked, and the script refuses what it always refused.
    const auto scriptTakes = [](const QString& recipient) {
        QProcess script;
        script.start(QStringLiteral("/usr/bin/python3"),
            { QStringLiteral(GALAVITE_SOURCE_DIR "/resources/pyth_mail.py"), QStringLiteral("--check-recipients") });
        script.write(recipient.toUtf8() + '\t' + mailboxAddress(recipient).toUtf8() + '\n');
        script.closeWriteChannel();
        return script.waitForFinished(patience::generousMs) && script.exitCode() == 0;
    };
    for (const QString& plain : { QStringLiteral("Ann.O'Neil+club_1%x@mail-1.Example.org"),
             QStringLiteral("Ann O'Neil-Smith <ANN@Example.org>"), QStringLiteral("xy@y.z"),
             QStringLiteral("Ann ").repeated(240) + QStringLiteral("<ab@b.c>"),
             QStringLiteral("\"M\u00fcller, Anna \\\"Anni\\\"\" <a@b.org>"), QStringLiteral("Ann B.  Smith  <a@b.org>"),
             QStringLiteral("=?UTF-8?B?TcO8bGxlcg==?= =?iso-8859-1?q?J=FCrgen?= \u4e2d\u6587 <j@x.org>") }) {
        EXPECT_TRUE(isPlainRecipient(plain, mailboxAddress(plain))) << plain.toStdString();
        EXPECT_TRUE(scriptTakes(plain)) << plain.toStdString();
    }
    for (const QString& near :
        { QStringLiteral("=?utf-8?q?Ann=0A?= <ann@example.org>"), QStringLiteral("\"=?utf-8?q?x?=\" <ann@example.org>"),
            QStringLiteral("=?utf-8*de?q?Ann?= <ann@example.org>"), QStringLiteral("=?us-ascii?q?J=FCrgen?= <j@x.org>"),
            QStringLiteral(".Ann <ann@example.org>"), QStringLiteral("<ann@example.org>"),
            QStringLiteral("Ann<a@b.org>"), QStringLiteral("ann..x@example.org"),
            QStringLiteral("Ann (Smith) <j@x.org>"), QString(65, u'n') + QStringLiteral(" <ab@b.c>"),
            QStringLiteral("Ann ").repeated(248) + QStringLiteral("<ab@b.c>") })
        EXPECT_FALSE(isPlainRecipient(near, mailboxAddress(near))) << near.toStdString();
    // Never more lenient than the script: of many random recipients of every form, near misses
    // among them, each one taken without asking is one the script takes.
    const QStringList pieces = { QStringLiteral("Anna"), QStringLiteral("M\u00fcller"), QStringLiteral("O'Neil"),
        QStringLiteral("J."), QStringLiteral("\u4e2d\u6587\U0001F600\u0301"), QStringLiteral(","), QStringLiteral("@"),
        QStringLiteral("\\"), QStringLiteral("\""), QStringLiteral("=?"), QStringLiteral("?="), QStringLiteral("=0A"),
        QStringLiteral("("), QStringLiteral("<"), QStringLiteral(";:"), QStringLiteral("\u00a0\u200b\ufffe"),
        QString(QChar(0xd800)), QStringLiteral("\t"), QStringLiteral(" "), QStringLiteral("  "), QString(61, u'x') };
    QRandomGenerator random(76);
    const auto text = [&](int most) {
        QString made;
        for (int n = random.bounded(1, most); n > 0; --n)
            made += pieces.at(random.bounded(int(pieces.size())));
        return made;
    };
    const auto nameWord = [&]() -> QString {
        QString word = text(4);
        if (random.bounded(3) == 0)
            return u'"'
                + (random.bounded(6) ? word.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""))
                                     : word)
                + u'"';
        if (random.bounded(2))
            return word;
        const char* charsets[] = { "utf-8", "UTF-8", "us-ascii", "iso-8859-1", "utf-8*de", "koi8-r" };
        const QByteArray bytes = word.toUtf8() + (random.bounded(8) ? "" : "\xc3");
        const bool b = random.bounded(2);
        QByteArray encoded = b ? bytes.toBase64() : bytes.toPercentEncoding({}, {}, '=');
        encoded.chop(random.bounded(8) ? 0 : 1);
        return QStringLiteral("=?%1?%2?%3?=").arg(charsets[random.bounded(6)], b ? "b" : "Q", encoded);
    };
    QStringList taken;
    for (int i = 0; i < 20000; ++i) {
        QString recipient = QStringLiteral("m%1@club.example.org").arg(i);
        if (i % 10) {
            QString name = nameWord();
            for (int words = random.bounded(3); words > 0; --words)
                name += QString(random.bounded(3), u' ') + nameWord();
            recipient = name + QString(random.bounded(3), u' ') + u'<' + recipient + u'>';
        }
        if (isPlainRecipient(recipient, mailboxAddress(recipient)))
            taken << recipient;
    }
    EXPECT_GT(taken.size(), 3000);
    EXPECT_EQ(
        recipientsTheScriptRefuses(taken, {}, [](const QString&, const QString&) { return false; }).toStdString(), "");
    QStringList many;
    for (int i = 0; i < 200000; ++i)
        many << QStringLiteral("Member %1 <m%1@club.example.org>").arg(i);
    // Read, not refused for its length.
    EXPECT_TRUE(recipientsTheScriptRefuses(many + QStringList { QStringLiteral("b\u00f8b@example.org") })
                    .startsWith(QStringLiteral("The recipient b\u00f8b@example.org cannot")));
    // Read by several scripts at once, a list's first refused is named.
    QStringList quoted;
    for (int i = 0; i < 1500; ++i)
        quoted << QStringLiteral("\"Member, %1\" (club) <m%1@club.example.org>").arg(i);
    quoted[1400] = QStringLiteral("b\u00f8b@example.org");
    quoted[1100] = QStringLiteral("\"Member\" <b\u00f8b@example.org>");
    EXPECT_TRUE(recipientsTheScriptRefuses(quoted).startsWith(QStringLiteral("The recipient \"Member\" <b")));

    // Stop ends a script that does not answer, and the check refuses nothing.
    {
        SleepingMailScript sleeper;
        EXPECT_EQ(recipientsTheScriptRefuses(
                      { QStringLiteral("\"Ann\" <ann@example.org>") }, [&] { return sleeper.pid() > 0; }),
            QString());
        EXPECT_FALSE(processExists(sleeper.pid())) << "the script was ended and reaped";
    }

    // Sent, an encoded name that reads as an address is quoted: no reader takes it for a second one.
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    const QString encoded = QStringLiteral("=?utf-8?q?evil=40example.org?= <bob@example.org>");
    EXPECT_EQ(recipientsTheScriptRefuses({ encoded }), QString());
    QString reason;
    ASSERT_TRUE(
        send(server, QStringLiteral("N"), encoded, QStringLiteral("Hi"), {}, QStringLiteral("Body"), password, &reason))
        << reason.toStdString();
    ASSERT_TRUE(server.waitForMails(1));
    const QJsonObject mail = server.mails().at(0);
    EXPECT_EQ(mail[u"raw_to"].toString(), QStringLiteral("\"evil@example.org\" <bob@example.org>"));
    EXPECT_EQ(mail[u"to"].toArray(), QJsonArray { QStringLiteral("bob@example.org") });
}

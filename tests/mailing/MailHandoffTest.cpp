#include "LocalSmtpServer.h"

#include "mailing/MailHandoff.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
const QString password = QStringLiteral("Pässwörd-42");

// Sends one message through the hand-off with fixed account values.
bool send(const LocalSmtpServer& server, const QString& flag, const QString& to, const QString& subject,
    const QStringList& attachments = {}, const QString& body = QStringLiteral("Body"), const QString& pwd = password)
{
    QProcess process;
    return sendEmail_pyth(process, to, subject, attachments, QStringLiteral("sender@example.com"), pwd,
        QStringLiteral("127.0.0.1"), server.port(), body, flag);
}

QString writeImage(const QTemporaryDir& dir, const QString& name, const char* format)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString path = dir.filePath(name);
    image.save(path, format);
    return path;
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

    ASSERT_TRUE(send(server, QStringLiteral("Y"), QStringLiteral("guest@example.org"), QStringLiteral("Grüße 🎉"),
        { back, front }, QStringLiteral("Liebe Gäste,\nwillkommen!")));
    ASSERT_TRUE(server.waitForMails(1));
    const QJsonObject mail = server.mails().at(0);
    EXPECT_EQ(mail[u"subject"].toString(), QStringLiteral("Grüße 🎉"));
    EXPECT_EQ(mail[u"body"].toString(), QStringLiteral("Liebe Gäste,\r\nwillkommen!\r\n"));
    EXPECT_EQ(mail[u"to"].toArray().at(0).toString(), QStringLiteral("guest@example.org"));
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
            QStringLiteral("Body"), QStringLiteral("N") }));
    EXPECT_EQ(script.recordedEnvironment(),
        (QStringList { QStringLiteral("PATH=/bin:/usr/bin:/usr/local/bin"), QStringLiteral("PYTHONPATH=") }))
        << script.recordedEnvironment().join(u' ').toStdString();
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

TEST(MailHandoff, ServerWithoutStartTlsNeverGetsThePassword)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::NoStartTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    EXPECT_FALSE(send(server, QStringLiteral("N"), QStringLiteral("guest@example.org"), QStringLiteral("Hello")));
    EXPECT_TRUE(server.authPasswords().isEmpty());
    EXPECT_TRUE(server.mails().isEmpty());
}

TEST(MailHandoff, UntrustedCertificateFails)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::ImplicitTls);
    ASSERT_TRUE(server.isListening());
    // The shipped script alone trusts only the system's store, not the test authority.
    EXPECT_FALSE(send(server, QStringLiteral("Y"), QStringLiteral("guest@example.org"), QStringLiteral("Hello")));
    EXPECT_TRUE(server.authPasswords().isEmpty());
}

TEST(MailHandoff, HeaderInjectionIsRefusedBeforeTheScriptRuns)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    EXPECT_FALSE(send(server, QStringLiteral("N"), QStringLiteral("a@x.com\r\nBcc: c@y.com"), QStringLiteral("Hi")));
    EXPECT_FALSE(send(server, QStringLiteral("N"), QStringLiteral("a@x.com"), QStringLiteral("Hi\nBcc: c@y.com")));
    EXPECT_TRUE(script.recordedArguments().isEmpty());
    EXPECT_TRUE(server.mails().isEmpty());
}

#include "mailing/Preferences.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {
// Points the user's home (and so the config folder) at a temporary folder.
class PreferencesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedHome_ = qgetenv("HOME");
        qputenv("HOME", home_.path().toUtf8());
    }
    void TearDown() override { qputenv("HOME", savedHome_); }

    QTemporaryDir home_;
    QByteArray savedHome_;
};

int modeOf(const QString& path)
{
    struct stat info
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}
} // namespace

TEST_F(PreferencesTest, FirstReadLeavesAnEmptyPrivateFileAndGivesDefaults)
{
    const QString path = Preferences::settingsFilePath();
    ASSERT_TRUE(path.startsWith(home_.path()));
    for (int read = 0; read < 2; ++read) {
        const auto preferences = Preferences::sharedInstance();
        EXPECT_EQ(preferences->send_email_SenderEmail(), QString());
        EXPECT_TRUE(preferences->hasValue(QStringLiteral("SendEmailPORT")));
        EXPECT_FALSE(preferences->hasValue(QStringLiteral("SendEnableSSL")));
    }
    EXPECT_EQ(QFileInfo(path).size(), 0);
    EXPECT_EQ(modeOf(path), 0600);
    EXPECT_EQ(modeOf(QFileInfo(path).path()), 0700);
}

TEST_F(PreferencesTest, SavedKeysAreReadBackAndByPlistutil)
{
    {
        auto preferences = Preferences::sharedInstance();
        preferences->setsend_email_SenderEmail(QStringLiteral("me@example.com"));
        preferences->setsend_email_Password(QStringLiteral("sécret"));
        preferences->setsend_email_SMTP_server(QStringLiteral("smtp.example.com"));
        preferences->setsend_email_PORT_num(QStringLiteral("465"));
        preferences->setsend_email_Recipient(QStringLiteral("you@example.com"));
        preferences->setsend_email_enable_ssl(QStringLiteral("Y"));
        ASSERT_TRUE(preferences->flush());
    }
    const auto again = Preferences::sharedInstance();
    EXPECT_EQ(again->send_email_Password(), QStringLiteral("sécret"));
    EXPECT_EQ(again->send_email_enable_ssl(), QStringLiteral("Y"));
    const QString path = Preferences::settingsFilePath();
    EXPECT_EQ(modeOf(path), 0600);

    QProcess plistutil;
    plistutil.start(
        QStringLiteral("plistutil"), { QStringLiteral("-i"), path, QStringLiteral("-f"), QStringLiteral("xml") });
    ASSERT_TRUE(plistutil.waitForFinished(10000));
    const QString xml = QString::fromUtf8(plistutil.readAllStandardOutput());
    for (const char* key :
        { "SendEmailRecipient", "SendEmailSender", "SendEmailPwd", "SendEmailSMTP", "SendEmailPORT", "SendEnableSSL" })
        EXPECT_TRUE(xml.contains(QStringLiteral("<key>%1</key>").arg(QLatin1String(key)))) << key;
    EXPECT_TRUE(xml.contains(QStringLiteral("<string>smtp.example.com</string>")));
}

TEST_F(PreferencesTest, FailedWriteIsReported)
{
    // A folder where the file should be: reading falls back to defaults, writing fails.
    ASSERT_TRUE(QDir().mkpath(Preferences::settingsFilePath()));
    auto preferences = Preferences::sharedInstance();
    EXPECT_EQ(preferences->send_email_SMTP_server(), QString());
    QString error;
    EXPECT_FALSE(preferences->flush(&error));
    EXPECT_FALSE(error.isEmpty());
}

#include "mailing/Preferences.h"

#include "support/FullFolder.h"
#include "support/Patience.h"
#include "support/SharedReferencePlist.h"

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

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const QByteArray savedSettings = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                                 "<key>SendEmailSMTP</key><string>smtp.example.com</string>"
                                 "<key>SendEmailPwd</key><string>old secret</string></dict></plist>\n";

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
    ASSERT_TRUE(patience::finished(plistutil));
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

TEST_F(PreferencesTest, StartingNeverChangesADamagedFileOrWhatALinkNames)
{
    const QString path = Preferences::settingsFilePath();
    const QByteArray damaged = savedSettings.left(savedSettings.size() / 2);
    put(path, damaged);
    ::chmod(QFile::encodeName(path).constData(), 0600);
    const auto preferences = Preferences::sharedInstance();
    EXPECT_EQ(preferences->send_email_SMTP_server(), QString());
    EXPECT_EQ(contentsOf(path), damaged);

    // A link to another file of the user's: neither emptied nor made private by reading.
    QFile::remove(path);
    const QString other = home_.filePath(QStringLiteral("notes.txt"));
    put(other, "my notes");
    ::chmod(QFile::encodeName(other).constData(), 0644);
    ASSERT_TRUE(QFile::link(other, path));
    Preferences::sharedInstance();
    EXPECT_EQ(contentsOf(other), QByteArray("my notes"));
    EXPECT_EQ(modeOf(other), 0644);

    // Saving replaces the link with a private file of its own.
    auto saving = Preferences::sharedInstance();
    saving->setsend_email_Password(QStringLiteral("new"));
    ASSERT_TRUE(saving->flush());
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_EQ(modeOf(path), 0600);
    EXPECT_EQ(contentsOf(other), QByteArray("my notes"));
}

TEST_F(PreferencesTest, SettingsOthersCanReadAreMadePrivate)
{
    const QString path = Preferences::settingsFilePath();
    put(path, savedSettings);
    ::chmod(QFile::encodeName(path).constData(), 0644);
    EXPECT_EQ(Preferences::sharedInstance()->send_email_Password(), QStringLiteral("old secret"));
    EXPECT_EQ(modeOf(path), 0600);
    EXPECT_EQ(contentsOf(path), savedSettings);
}

TEST_F(PreferencesTest, SavingOnAFullDiskFailsWithTheReasonAndKeepsTheOldSettings)
{
    FullFolder disk;
    qputenv("HOME", disk.path().toUtf8());
    const QString path = Preferences::settingsFilePath();
    put(path, savedSettings);
    auto preferences = Preferences::sharedInstance();
    preferences->setsend_email_Password(QStringLiteral("a new password"));
    disk.fill();
    QString reason;
    EXPECT_FALSE(preferences->flush(&reason));
    EXPECT_EQ(reason, disk.expectedReason());
    EXPECT_EQ(contentsOf(path), savedSettings);
}

TEST_F(PreferencesTest, SettingsFileThatWouldExpandToABillionValuesStartsEmpty)
{
    const QString path = Preferences::settingsFilePath();
    const QByteArray hostile = sharedplist::doublingArrays(29);
    put(path, hostile);
    const auto preferences = Preferences::sharedInstance();
    EXPECT_EQ(preferences->send_email_SMTP_server(), QString());
    EXPECT_EQ(contentsOf(path), hostile);
}

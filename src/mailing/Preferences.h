#pragma once

#include "platform/PlistValue.h"

#include <QString>

#include <memory>

// The e-mail settings file: sender account, SMTP server and a default recipient. It holds a
// password, so it lives in the user's config folder, readable by the user alone. There is no
// cache: every sharedInstance() reads the file afresh.
class Preferences
{
public:
    // A Preferences freshly read from the file (created empty when missing). A damaged file is
    // left as it is and logged; the settings are then empty until saved.
    static std::unique_ptr<Preferences> sharedInstance();
    static QString settingsFilePath();

    // Why the file could not be read, naming it; "" when it was read or did not exist yet.
    const QString& readProblem() const { return mReadProblem; }
    // The alert's text for such a file: the person learns that the settings were not read and
    // that the file was left as it is.
    static QString unreadableMessage();

    // Writes the whole dictionary atomically; false (with a reason) when it could not.
    bool flush(QString* error = nullptr) const;
    void setDefaults();

    QString send_email_Recipient() const { return value(QStringLiteral("SendEmailRecipient")); }
    QString send_email_SenderEmail() const { return value(QStringLiteral("SendEmailSender")); }
    QString send_email_Password() const { return value(QStringLiteral("SendEmailPwd")); }
    QString send_email_SMTP_server() const { return value(QStringLiteral("SendEmailSMTP")); }
    QString send_email_PORT_num() const { return value(QStringLiteral("SendEmailPORT")); }
    QString send_email_enable_ssl() const { return value(QStringLiteral("SendEnableSSL")); }
    bool hasValue(const QString& key) const { return mDict.contains(key); }

    void setsend_email_Recipient(const QString& v) { mDict.insert(QStringLiteral("SendEmailRecipient"), v); }
    void setsend_email_SenderEmail(const QString& v) { mDict.insert(QStringLiteral("SendEmailSender"), v); }
    void setsend_email_Password(const QString& v) { mDict.insert(QStringLiteral("SendEmailPwd"), v); }
    void setsend_email_SMTP_server(const QString& v) { mDict.insert(QStringLiteral("SendEmailSMTP"), v); }
    void setsend_email_PORT_num(const QString& v) { mDict.insert(QStringLiteral("SendEmailPORT"), v); }
    void setsend_email_enable_ssl(const QString& v) { mDict.insert(QStringLiteral("SendEnableSSL"), v); }

private:
    Preferences() = default;
    QString value(const QString& key) const;

    QString mPreferencesPath;
    QString mReadProblem;
    PlistDict mDict;
};

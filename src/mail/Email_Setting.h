#pragma once

#include "mailing/MailHandoff.h"

#include <QDialog>

class MailHost;
class PleaseWait_Modeless;
class QCheckBox;
class QLabel;
class QLineEdit;

// The e-mail settings window: edits, checks, saves, resets and tests the sender's account.
class Email_Setting : public QDialog
{
    Q_OBJECT

public:
    Email_Setting(MailHost& host, QWidget* parent = nullptr);
    ~Email_Setting() override;

    static Email_Setting* defaultInstance();

    // Loads the saved settings and runs the window modally.
    int Open_Wnd();

    void Save_Button();
    void Close_Button();
    void Reset_Button();
    void Send_Test_Email();
    void SSL_Selected();
    void TLS_Selected();

    // The first failing check shows its message, takes the focus and answers false.
    bool Check_Validation(bool test);
    void loadPreferences();
    // False (after the message) when the file could not be written.
    bool flushPreferences();

    QLineEdit* _send_mail_sender_mail;
    QLineEdit* _send_mail_password;
    QLineEdit* _send_mail_smtp;
    QLineEdit* _send_mail_port;
    QLineEdit* _send_mail_to;
    QCheckBox* _send_mail_ssl;
    QCheckBox* _send_mail_tls;
    QLabel* _send_mail_result_status;

private:
    QString securityFlag() const;
    MailDelivery sendTestMailWaiting(QString* reason);

    MailHost& host_;
    PleaseWait_Modeless* plz_wait_Window;
};

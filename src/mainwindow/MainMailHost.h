#pragma once

#include "mail/MailHost.h"

#include <QObject>

class Email_Setting;
class Send_Mail;
class SKTWindowController;

// The main window's side of the mail windows: the settings globals, the batch state and the
// run's own copy of the card. It makes both windows once and opens the send window.
class MainMailHost : public QObject, public MailHost
{
public:
    explicit MainMailHost(SKTWindowController& window);

    void Mail_Button();

    void Get_Email_Details() override;
    QString applicationName() const override;
    Account emailAccount() const override;
    BatchState Check_Series_Or_Excel_Use_or_not() override;
    CardRenderer mailCardRenderer(bool useSeries, bool useSpreadsheet, int* batchCards) override;

private:
    SKTWindowController& window_;
    Email_Setting* settingsWindow_ = nullptr;
    Send_Mail* sendWindow_ = nullptr;
};

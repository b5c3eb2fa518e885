#pragma once

#include "jobs/JobProgress.h"
#include "mail/RecipientsEdit.h"
#include "mailing/MailRun.h"
#include "mailing/SentMailStore.h"
#include "platform/WorkerThread.h"

#include <QDialog>
#include <QMutex>
#include <QPointer>

class Email_Setting;
class MailHost;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;
struct MailJob;

// The send window: e-mails the card, or one card per data row, to a list of recipients,
// on a worker thread behind the progress sheet, with optional pauses between mails.
class Send_Mail : public QDialog
{
    Q_OBJECT

public:
    Send_Mail(MailHost& host, Email_Setting& settings, QWidget* parent = nullptr);
    ~Send_Mail() override;

    static Send_Mail* defaultInstance();

    // Resets the form and runs the window modally until Close.
    int Open_Wnd();

    void Send_Button();
    void Setting_Button();
    void browse_att_Button();
    void clear_att_Button();
    void Without_barcode_rd_select();
    void send_barcode_rd_select();
    void send_with_batch_chk_select();
    void send_with_excel_chk_select();
    void delayed_delv_chk_select();
    void mail_card_side_CellClick();

    bool isRunning() const { return worker_.isRunning(); }
    // The program is closing: the run stops without a question, and the window closes once
    // the run has ended and said how far it got.
    void stopRunAndClose();

    QLineEdit* from_txt;
    RecipientsEdit* to_txt;
    QLineEdit* subject_txt;
    QPlainTextEdit* message_txt;
    QRadioButton* rd_without_barcode;
    QRadioButton* rd_mail_curr_barcode;
    QGroupBox* send_sett_box;
    QButtonGroup* matrix_card_side;
    QLineEdit* file_name_txt;
    QCheckBox* send_with_batch_chk;
    QCheckBox* send_with_excel_chk;
    QRadioButton* rd_all_to_every;
    QRadioButton* rd_one_per_recp;
    QLineEdit* attachment;
    QPushButton* browse_att;
    QPushButton* clear_att;
    QCheckBox* delayed_delv_chk;
    QGroupBox* delayed_box;
    QSpinBox* mail_count_txt;
    QSpinBox* hour_txt;
    QSpinBox* min_text;
    QSpinBox* sec_txt;
    QString card_side_str;

signals:
    // A run has ended and its final message has been shown; sent when every mail went.
    void runFinished(bool sent);

protected:
    void reject() override;
    void changeEvent(QEvent* event) override;

private:
    void buildForm();
    // The form checks and the job; false (after the message) when the run cannot start.
    bool prepareJob(MailJob& job);
    // Behind one please-wait sheet: a run that mails the card has its rows' addresses read for
    // the questions before it, and every run has its mails keyed (into keys) as the record of
    // mails sent keeps them. False when the person cancelled or stopped the reading.
    bool checkRowsAndKeyMails(const MailJob& job, bool series, bool spreadsheet, QList<QByteArray>& keys);
    // What the record of mails sent holds of a run's mails, looked up behind the please-wait
    // sheet; store is null when the record cannot be used (problem says why).
    struct RecordLookup
    {
        std::shared_ptr<SentMailStore> store;
        SentMailStore::Marks marks;
        QString doubt, problem;
    };
    bool lookUpRecord(const QList<QByteArray>& keys, RecordLookup& found);
    // Asks, when the record holds some of the job's mails, may miss some, or cannot be used,
    // whether to leave those out (into job.sentBefore), send them again (job.again) or, when
    // it cannot be used, send without it; false when the person cancelled.
    bool askAboutMailsSentBefore(MailJob& job, const RecordLookup& found);
    void Show_Create_Modeless();
    void Hide_Destroy_Modeless();
    void update_sending_progress_bar();
    void finishRun();
    void setRunning(bool running);
    // The recipients, subject and message as typed, to tell an e-mail not yet sent.
    QStringList typedMail() const;

    MailHost& host_;
    Email_Setting& settings_;
    QStringList mailAtLastSend_; // as the window opened, or as the last run took it
    QTimer* msend_modTimer;
    QPointer<QWidget> sheetOwner_;
    QWidget* form_ = nullptr;
    QPushButton* send_button_ = nullptr;
    bool closeWhenRunEnds_ = false;
    JobProgress progress_;
    QMutex pauseTextMutex_;
    QString pauseText_;
    MailRunResult result_; // written by the worker, read once it has finished
    bool runSendsCards_ = false; // a run without the card has no card problems to tell
    WorkerThread worker_; // last: its end waits for the worker, which uses the members above
};

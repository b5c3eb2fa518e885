#include "mail/Email_Setting.h"

#include "common/MessageBoxes.h"
#include "common/StringHelpers.h"
#include "dialogs/PleaseWait_Modeless.h"
#include "mail/MailHost.h"
#include "mailing/MailAddresses.h"
#include "mailing/MailHandoff.h"
#include "mailing/Preferences.h"
#include "platform/DialogService.h"
#include "platform/WorkerThread.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
Email_Setting* instance = nullptr;

const QString testFailureText = QStringLiteral(
    "Please make sure that:\n1. Entered E-mail settings are correct.\n2. Internet connectivity to E-mail server is "
    "not interrupted and E-mail server is not down.\n3. Your Firewall or Security software (if any) is not blocking "
    "the software to communicate with your E-mail server.");
} // namespace

Email_Setting::Email_Setting(MailHost& host, QWidget* parent)
    : QDialog(parent)
    , _send_mail_sender_mail(new QLineEdit(this))
    , _send_mail_password(new QLineEdit(this))
    , _send_mail_smtp(new QLineEdit(this))
    , _send_mail_port(new QLineEdit(this))
    , _send_mail_to(new QLineEdit(this))
    , _send_mail_ssl(new QCheckBox(QStringLiteral("SSL"), this))
    , _send_mail_tls(new QCheckBox(QStringLiteral("TLS"), this))
    , _send_mail_result_status(new QLabel(this))
    , host_(host)
    , plz_wait_Window(new PleaseWait_Modeless(this))
{
    setWindowTitle(QStringLiteral("E-mail Settings"));
    _send_mail_password->setEchoMode(QLineEdit::Password);
    _send_mail_port->setValidator(new QIntValidator(1, 65535, _send_mail_port));
    _send_mail_sender_mail->setPlaceholderText(QStringLiteral("name@example.com"));
    _send_mail_smtp->setPlaceholderText(QStringLiteral("smtp.example.com"));
    _send_mail_result_status->setWordWrap(true);
    _send_mail_result_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    _send_mail_ssl->setToolTip(QStringLiteral("Encrypted from the first byte (usually port 465)"));
    _send_mail_tls->setToolTip(QStringLiteral("Encryption started with STARTTLS (usually port 587)"));

    auto* account = new QGroupBox(QStringLiteral("Sender account"), this);
    auto* form = new QFormLayout(account);
    form->addRow(QStringLiteral("&Sender E-mail:"), _send_mail_sender_mail);
    form->addRow(QStringLiteral("&Password:"), _send_mail_password);
    form->addRow(QStringLiteral("SMTP se&rver:"), _send_mail_smtp);
    form->addRow(QStringLiteral("P&ort:"), _send_mail_port);
    auto* security = new QHBoxLayout;
    security->addWidget(_send_mail_ssl);
    security->addWidget(_send_mail_tls);
    security->addStretch();
    form->addRow(QStringLiteral("Security:"), security);

    auto* test = new QGroupBox(QStringLiteral("Test mail"), this);
    auto* testForm = new QFormLayout(test);
    auto* sendTest = new QPushButton(QStringLiteral("Send &Test E-mail"), this);
    auto* recipientRow = new QHBoxLayout;
    recipientRow->addWidget(_send_mail_to, 1);
    recipientRow->addWidget(sendTest);
    auto* recipientLabel = new QLabel(QStringLiteral("Re&cipient E-mail:"), test);
    recipientLabel->setBuddy(_send_mail_to);
    testForm->addRow(recipientLabel, recipientRow);
    testForm->addRow(_send_mail_result_status);

    auto* buttons = new QDialogButtonBox(this);
    auto* save = buttons->addButton(QDialogButtonBox::Save);
    auto* close = buttons->addButton(QDialogButtonBox::Close);
    auto* reset = buttons->addButton(QDialogButtonBox::Reset);
    save->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(account);
    layout->addWidget(test);
    layout->addStretch();
    layout->addWidget(buttons);
    setMinimumWidth(460);

    connect(save, &QPushButton::clicked, this, &Email_Setting::Save_Button);
    connect(close, &QPushButton::clicked, this, &Email_Setting::Close_Button);
    connect(reset, &QPushButton::clicked, this, &Email_Setting::Reset_Button);
    connect(sendTest, &QPushButton::clicked, this, &Email_Setting::Send_Test_Email);
    connect(_send_mail_ssl, &QCheckBox::clicked, this, &Email_Setting::SSL_Selected);
    connect(_send_mail_tls, &QCheckBox::clicked, this, &Email_Setting::TLS_Selected);
    instance = this;
}

Email_Setting::~Email_Setting()
{
    if (instance == this)
        instance = nullptr;
}

Email_Setting* Email_Setting::defaultInstance()
{
    return instance;
}

int Email_Setting::Open_Wnd()
{
    loadPreferences();
    const int result = dialogs().runModal(*this);
    hide();
    return result;
}

void Email_Setting::loadPreferences()
{
    const auto preferences = Preferences::sharedInstance();
    if (!preferences->readProblem().isEmpty())
        Show_MessageBox_With_Reason(Preferences::unreadableMessage(), preferences->readProblem());
    _send_mail_to->setText(preferences->send_email_Recipient());
    _send_mail_sender_mail->setText(preferences->send_email_SenderEmail());
    _send_mail_smtp->setText(preferences->send_email_SMTP_server());
    _send_mail_port->setText(preferences->send_email_PORT_num());
    _send_mail_password->setText(preferences->send_email_Password());
    if (preferences->send_email_enable_ssl() == QLatin1String("Y"))
        SSL_Selected();
    else
        TLS_Selected();
}

bool Email_Setting::flushPreferences()
{
    auto preferences = Preferences::sharedInstance();
    preferences->setsend_email_Recipient(_send_mail_to->text());
    preferences->setsend_email_SenderEmail(_send_mail_sender_mail->text());
    preferences->setsend_email_SMTP_server(_send_mail_smtp->text());
    preferences->setsend_email_PORT_num(_send_mail_port->text());
    preferences->setsend_email_Password(_send_mail_password->text());
    preferences->setsend_email_enable_ssl(securityFlag());
    QString reason;
    if (preferences->flush(&reason))
        return true;
    Show_MessageBox(withReason(QStringLiteral("Error in file accessing."), reason));
    return false;
}

QString Email_Setting::securityFlag() const
{
    return _send_mail_ssl->isChecked() && !_send_mail_tls->isChecked() ? QStringLiteral("Y") : QStringLiteral("N");
}

void Email_Setting::SSL_Selected()
{
    _send_mail_ssl->setChecked(true);
    _send_mail_tls->setChecked(false);
}

void Email_Setting::TLS_Selected()
{
    _send_mail_ssl->setChecked(false);
    _send_mail_tls->setChecked(true);
}

bool Email_Setting::Check_Validation(bool test)
{
    const auto fail = [](QLineEdit* field, const char* message) {
        Show_MessageBox(QString::fromLatin1(message));
        field->setFocus();
        return false;
    };
    const QString sender = _send_mail_sender_mail->text().toLower();
    if (sender.isEmpty())
        return fail(_send_mail_sender_mail, "Please enter sender E-mail.");
    if (!isValidEmail(sender))
        return fail(_send_mail_sender_mail, "Please enter valid sender E-mail address.");
    if (_send_mail_password->text().isEmpty())
        return fail(_send_mail_password, "Please enter password.");
    // The mail script reads the password as one line: the rest would be lost.
    if (passwordHasLineBreak(_send_mail_password->text()))
        return fail(_send_mail_password, "The password must not hold a line break.");
    if (_send_mail_smtp->text().isEmpty())
        return fail(_send_mail_smtp, "Please enter SMTP server.");
    if (_send_mail_port->text().isEmpty())
        return fail(_send_mail_port, "Please enter port number.");
    if (!test)
        return true;
    const QString recipient = _send_mail_to->text().toLower();
    if (recipient.isEmpty())
        return fail(_send_mail_to, "Please enter recipient E-mail address.");
    if (mailboxAddress(recipient).isEmpty())
        return fail(_send_mail_to, "Please enter valid recipient E-mail address.");
    return true;
}

void Email_Setting::Save_Button()
{
    if (Check_Validation(false) && flushPreferences())
        done(1);
}

void Email_Setting::Close_Button()
{
    done(0);
}

void Email_Setting::Reset_Button()
{
    if (!dialogs().askYesNoSafe(QStringLiteral("Are you sure you want to reset current email settings?")))
        return;
    QFile::remove(Preferences::settingsFilePath());
    for (QLineEdit* field :
        { _send_mail_to, _send_mail_sender_mail, _send_mail_smtp, _send_mail_port, _send_mail_password })
        field->clear();
    _send_mail_result_status->clear();
    TLS_Selected();
    host_.Get_Email_Details();
}

void Email_Setting::Send_Test_Email()
{
    if (!Check_Validation(true))
        return;
    plz_wait_Window->Show_Create_Modeless();
    _send_mail_result_status->setText(QStringLiteral("It may take a while, Please wait..."));
    QString reason;
    const MailDelivery delivery = sendTestMailWaiting(&reason);
    plz_wait_Window->Hide_Destroy_Modeless();
    // A recipient refused is no fault of the settings or the network: no advice about them.
    const QString result = delivery == MailDelivery::Sent ? QStringLiteral("E-mail has been sent successfully.")
        : delivery == MailDelivery::RecipientRefused
        ? QStringLiteral("Could not send email.\n\nReason: ") + reason
        : testFailureText + QStringLiteral("\n\nCould not send email.\n\nReason: ") + reason;
    _send_mail_result_status->setText(result);
    Show_MessageBox(result);
}

MailDelivery Email_Setting::sendTestMailWaiting(QString* reason)
{
    const QString recipient = _send_mail_to->text().toLower();
    const QString sender = _send_mail_sender_mail->text().toLower();
    const QString subject = host_.applicationName() + QStringLiteral(" Test Mail");
    const QString body = QStringLiteral("This is test mail sent by %1.").arg(host_.applicationName());
    const QString password = _send_mail_password->text();
    const QString server = _send_mail_smtp->text();
    const QString port = _send_mail_port->text();
    const QString flag = securityFlag();

    // The script may take long against a slow server: the window keeps painting meanwhile,
    // behind the please-wait sheet.
    MailDelivery delivery = MailDelivery::Failed;
    WorkerThread::runAndWait([&] {
        QProcess process;
        delivery = sendEmail_pyth(process, recipient, subject, {}, sender, password, server, port, body, flag, reason);
    });
    return delivery;
}

#include "mail/Send_Mail.h"

#include "mail/RecipientsEdit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

namespace {
QSpinBox* spinBox(QWidget* parent, int maximum, const QString& suffix)
{
    auto* box = new QSpinBox(parent);
    box->setRange(0, maximum);
    box->setSuffix(suffix);
    return box;
}
} // namespace

void Send_Mail::buildForm()
{
    setWindowTitle(QStringLiteral("Send E-mail"));
    from_txt = new QLineEdit(this);
    from_txt->setReadOnly(true);
    from_txt->setToolTip(QStringLiteral("The sender of the e-mail settings"));
    // A pasted list of thousands of recipients is kept whole, never cut.
    to_txt = new RecipientsEdit(this);
    to_txt->setPlaceholderText(QStringLiteral("name@example.com, other@example.com"));
    to_txt->setToolTip(QStringLiteral("Recipients, separated by commas, semicolons or line ends; a pasted list "
                                      "is kept whole"));
    subject_txt = new QLineEdit(this);
    message_txt = new QPlainTextEdit(this);
    message_txt->setTabChangesFocus(true);
    auto* settings = new QPushButton(
        style()->standardIcon(QStyle::SP_FileDialogDetailedView), QStringLiteral("&Settings..."), this);
    settings->setToolTip(QStringLiteral("E-mail account settings"));
    auto* fromRow = new QHBoxLayout;
    fromRow->addWidget(from_txt, 1);
    fromRow->addWidget(settings);

    auto* mail = new QFormLayout;
    mail->addRow(QStringLiteral("From:"), fromRow);
    mail->addRow(QStringLiteral("&To:"), to_txt);
    mail->addRow(QStringLiteral("S&ubject:"), subject_txt);
    mail->addRow(QStringLiteral("&Message:"), message_txt);

    rd_mail_curr_barcode = new QRadioButton(QStringLiteral("Attach the &card"), this);
    rd_without_barcode = new QRadioButton(QStringLiteral("&Without the card"), this);

    send_sett_box = new QGroupBox(QStringLiteral("Card"), this);
    matrix_card_side = new QButtonGroup(this);
    auto* sides = new QHBoxLayout;
    const QStringList sideNames { QStringLiteral("&Both sides"), QStringLiteral("&Front"), QStringLiteral("B&ack") };
    for (int row = 0; row < sideNames.size(); ++row) {
        auto* button = new QRadioButton(sideNames[row], send_sett_box);
        matrix_card_side->addButton(button, row);
        sides->addWidget(button);
    }
    sides->addStretch();
    file_name_txt = new QLineEdit(send_sett_box);
    file_name_txt->setToolTip(QStringLiteral("Name of the attached picture files"));
    send_with_batch_chk = new QCheckBox(QStringLiteral("Series &rows"), send_sett_box);
    send_with_excel_chk = new QCheckBox(QStringLiteral("Spreads&heet rows"), send_sett_box);
    rd_all_to_every = new QRadioButton(QStringLiteral("Every row's card to e&very recipient"), send_sett_box);
    rd_one_per_recp = new QRadioButton(QStringLiteral("One row &per recipient, in order"), send_sett_box);
    auto* modes = new QButtonGroup(this);
    modes->addButton(rd_all_to_every);
    modes->addButton(rd_one_per_recp);
    auto* batchSources = new QHBoxLayout;
    batchSources->addWidget(send_with_batch_chk);
    batchSources->addWidget(send_with_excel_chk);
    batchSources->addStretch();
    auto* cardForm = new QFormLayout(send_sett_box);
    cardForm->addRow(QStringLiteral("Side:"), sides);
    cardForm->addRow(QStringLiteral("File &name:"), file_name_txt);
    cardForm->addRow(QStringLiteral("Data rows:"), batchSources);
    cardForm->addRow(QString(), rd_all_to_every);
    cardForm->addRow(QString(), rd_one_per_recp);

    attachment = new QLineEdit(this);
    attachment->setReadOnly(true);
    attachment->setPlaceholderText(QStringLiteral("No file attached"));
    browse_att = new QPushButton(style()->standardIcon(QStyle::SP_DirOpenIcon), QString(), this);
    browse_att->setToolTip(QStringLiteral("Choose a file to attach"));
    clear_att = new QPushButton(style()->standardIcon(QStyle::SP_DialogResetButton), QString(), this);
    clear_att->setToolTip(QStringLiteral("Attach no file"));
    auto* ownFile = new QHBoxLayout;
    ownFile->addWidget(attachment, 1);
    ownFile->addWidget(browse_att);
    ownFile->addWidget(clear_att);

    delayed_delv_chk = new QCheckBox(QStringLiteral("&Delayed delivery"), this);
    delayed_box = new QGroupBox(this);
    mail_count_txt = spinBox(delayed_box, 100000, QString());
    mail_count_txt->setMinimum(1);
    hour_txt = spinBox(delayed_box, 99, QStringLiteral(" h"));
    min_text = spinBox(delayed_box, 59, QStringLiteral(" min"));
    sec_txt = spinBox(delayed_box, 59, QStringLiteral(" s"));
    auto* delayed = new QHBoxLayout(delayed_box);
    delayed->addWidget(new QLabel(QStringLiteral("Pause after"), delayed_box));
    delayed->addWidget(mail_count_txt);
    delayed->addWidget(new QLabel(QStringLiteral("mails for"), delayed_box));
    delayed->addWidget(hour_txt);
    delayed->addWidget(min_text);
    delayed->addWidget(sec_txt);
    delayed->addStretch();

    auto* buttons = new QDialogButtonBox(this);
    auto* send = buttons->addButton(QStringLiteral("S&end"), QDialogButtonBox::AcceptRole);
    send->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    send->setDefault(true);
    auto* close = buttons->addButton(QDialogButtonBox::Close);

    // Everything but the buttons: a run leaves it as it was sent, and Close stays to stop the run.
    form_ = new QWidget(this);
    auto* formLayout = new QVBoxLayout(form_);
    formLayout->setContentsMargins(0, 0, 0, 0);
    formLayout->addLayout(mail);
    formLayout->addWidget(rd_mail_curr_barcode);
    formLayout->addWidget(send_sett_box);
    formLayout->addWidget(rd_without_barcode);
    formLayout->addLayout(ownFile);
    formLayout->addWidget(delayed_delv_chk);
    formLayout->addWidget(delayed_box);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(form_);
    layout->addWidget(buttons);
    setMinimumWidth(560);
    send_button_ = send;
    close->setToolTip(QStringLiteral("Close the window; while e-mails are being sent, stop sending first"));

    connect(send, &QPushButton::clicked, this, &Send_Mail::Send_Button);
    connect(close, &QPushButton::clicked, this, &Send_Mail::reject);
    connect(settings, &QPushButton::clicked, this, &Send_Mail::Setting_Button);
    connect(browse_att, &QPushButton::clicked, this, &Send_Mail::browse_att_Button);
    connect(clear_att, &QPushButton::clicked, this, &Send_Mail::clear_att_Button);
    connect(rd_without_barcode, &QRadioButton::clicked, this, &Send_Mail::Without_barcode_rd_select);
    connect(rd_mail_curr_barcode, &QRadioButton::clicked, this, &Send_Mail::send_barcode_rd_select);
    connect(send_with_batch_chk, &QCheckBox::clicked, this, &Send_Mail::send_with_batch_chk_select);
    connect(send_with_excel_chk, &QCheckBox::clicked, this, &Send_Mail::send_with_excel_chk_select);
    connect(delayed_delv_chk, &QCheckBox::clicked, this, &Send_Mail::delayed_delv_chk_select);
    connect(matrix_card_side, &QButtonGroup::idClicked, this, &Send_Mail::mail_card_side_CellClick);
}

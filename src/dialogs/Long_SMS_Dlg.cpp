#include "dialogs/Long_SMS_Dlg.h"

#include "platform/DialogService.h"
#include "widgets/DialogParent.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString Cutom_Msg_Title, Cutom_Msg_Val;
bool Msg_Apply_All_Chk = false;

namespace {
Long_SMS_Dlg* instance = nullptr;
}

Long_SMS_Dlg::Long_SMS_Dlg(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Message"));
    _Msg_Title = new QLabel(this);
    QFont bold = _Msg_Title->font();
    bold.setBold(true);
    _Msg_Title->setFont(bold);
    _Msg_Title->setWordWrap(true);
    // A read-only text view scrolls a long text instead of growing past the screen.
    _Msg_Val = new QPlainTextEdit(this);
    _Msg_Val->setReadOnly(true);
    _Msg_Val->setMinimumSize(420, 160);
    apply_chk = new QCheckBox(QStringLiteral("Apply to all"), this);
    auto* buttons = new QDialogButtonBox(this);
    yes_button = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    no_button = buttons->addButton(QStringLiteral("No"), QDialogButtonBox::RejectRole);
    connect(yes_button, &QPushButton::clicked, this, &Long_SMS_Dlg::OKPressed);
    connect(no_button, &QPushButton::clicked, this, &Long_SMS_Dlg::CancelPressed);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(_Msg_Title);
    layout->addWidget(_Msg_Val, 1);
    layout->addWidget(apply_chk);
    layout->addWidget(buttons);
    instance = this;
}

Long_SMS_Dlg::~Long_SMS_Dlg()
{
    if (instance == this)
        instance = nullptr;
}

Long_SMS_Dlg* Long_SMS_Dlg::defaultInstance()
{
    if (!instance)
        new Long_SMS_Dlg(dialogParent());
    return instance;
}

int Long_SMS_Dlg::Open_Long_sms_Dialog()
{
    const bool question = title_val.has_value();
    _Msg_Title->setText(question ? *title_val : Cutom_Msg_Title);
    _Msg_Val->setPlainText(question ? msg_val_str.value_or(QString()) : Cutom_Msg_Val);
    setWindowTitle(question ? QStringLiteral("Question") : QStringLiteral("Message"));
    const bool asking = question && !notice_only;
    no_button->setVisible(asking);
    yes_button->setText(asking ? QStringLiteral("Yes") : QStringLiteral("OK"));
    apply_chk->setVisible(apply_chk_show);
    apply_chk->setChecked(false);
    answeredForAll_ = false;
    // A question here replaces something: Enter, like Escape, keeps it.
    QPushButton* safe = asking ? no_button : yes_button;
    yes_button->setDefault(!asking);
    no_button->setDefault(asking);
    safe->setFocus();
    const int code = dialogs().runModal(*this);
    title_val.reset();
    msg_val_str.reset();
    apply_chk_show = false;
    notice_only = false;
    return code;
}

void Long_SMS_Dlg::OKPressed()
{
    Msg_Apply_All_Chk = apply_chk->isChecked();
    answeredForAll_ = apply_chk->isVisibleTo(this) && apply_chk->isChecked();
    done(1);
}

void Long_SMS_Dlg::CancelPressed()
{
    answeredForAll_ = apply_chk->isVisibleTo(this) && apply_chk->isChecked();
    done(0);
}

void Long_SMS_Dlg::reject()
{
    CancelPressed();
}

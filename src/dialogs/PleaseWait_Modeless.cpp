#include "dialogs/PleaseWait_Modeless.h"

#include "platform/GuiThread.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

PleaseWait_Modeless::PleaseWait_Modeless(QWidget* over)
    : QDialog(over, Qt::Sheet | Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("Please Wait"));
    setWindowModality(Qt::WindowModal);
    modeless_msg_lbl = new QLabel(this);
    auto* busy = new QProgressBar(this);
    busy->setRange(0, 0);
    busy->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(modeless_msg_lbl);
    layout->addWidget(busy);
    setMinimumWidth(320);
}

void PleaseWait_Modeless::Show_Create_Modeless()
{
    onGuiThread(&PleaseWait_Modeless::showSheet);
}

void PleaseWait_Modeless::Hide_Destroy_Modeless()
{
    onGuiThread(&QWidget::hide);
}

void PleaseWait_Modeless::onGuiThread(void (PleaseWait_Modeless::*step)())
{
    if (isGuiThread())
        (this->*step)();
    else
        QMetaObject::invokeMethod(
            this, [this, step] { (this->*step)(); }, Qt::QueuedConnection);
}

void PleaseWait_Modeless::showSheet()
{
    modeless_msg_lbl->setText(QStringLiteral("It may take a while, Please wait.."));
    show();
    raise();
}

void PleaseWait_Modeless::offerStop(std::atomic<bool>& stop)
{
    stop_ = &stop;
    // Input flows while the work runs: nothing but Stop may take it.
    setWindowModality(Qt::ApplicationModal);
    auto* buttons = new QDialogButtonBox(this);
    stop_btn = buttons->addButton(tr("&Stop"), QDialogButtonBox::RejectRole);
    stop_btn->setToolTip(tr("Stop the work: what is done so far is kept"));
    connect(stop_btn, &QPushButton::clicked, this, &PleaseWait_Modeless::pressStop);
    layout()->addWidget(buttons);
}

void PleaseWait_Modeless::reject()
{
    if (stop_)
        pressStop();
}

void PleaseWait_Modeless::pressStop()
{
    stop_->store(true);
    stop_btn->setEnabled(false);
    modeless_msg_lbl->setText(tr("Stopping…"));
}

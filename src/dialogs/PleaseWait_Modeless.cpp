#include "dialogs/PleaseWait_Modeless.h"

#include "platform/GuiThread.h"

#include <QLabel>
#include <QProgressBar>
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

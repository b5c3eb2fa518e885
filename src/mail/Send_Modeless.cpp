#include "mail/Send_Modeless.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <atomic>

std::atomic<bool> Stop_SMS_Sending_Now { false };

namespace {
Send_Modeless* instance = nullptr;
}

Send_Modeless::Send_Modeless(QWidget* parent)
    : QDialog(parent)
    , counter_(new QLabel(this))
    , bar_(new QProgressBar(this))
{
    setWindowModality(Qt::WindowModal);
    auto* stop = new QPushButton(QStringLiteral("Stop"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(counter_);
    layout->addWidget(bar_);
    layout->addWidget(stop);
    connect(stop, &QPushButton::clicked, this, [] { Stop_SMS_Sending_Now = true; });
    instance = this;
}

Send_Modeless::~Send_Modeless()
{
    if (instance == this)
        instance = nullptr;
}

Send_Modeless* Send_Modeless::defaultInstance()
{
    return instance;
}

void Send_Modeless::setProgress(int done, int total)
{
    counter_->setText(QStringLiteral("%1 of %2").arg(done).arg(total));
    bar_->setMaximum(qMax(total, 1));
    bar_->setValue(qBound(0, done, qMax(total, 1)));
}

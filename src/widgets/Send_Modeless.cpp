#include "widgets/Send_Modeless.h"

#include "common/MessageBoxes.h"
#include "jobs/JobProgress.h"

#include <QFormLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
Send_Modeless* instance = nullptr;
}

Send_Modeless::Send_Modeless(QWidget* parent)
    : QDialog(parent)
    , _tot_msg_cnt(new QLabel(this))
    , _curr_msg_cnt(new QLabel(this))
    , _Curr_Progress(new QProgressBar(this))
    , _stop_btn(new QPushButton(QIcon::fromTheme(QStringLiteral("process-stop")), QStringLiteral("Stop"), this))
    , pause_label(new QLabel(this))
    , msend_modTimer(new QTimer(this))
{
    setWindowModality(Qt::WindowModal);
    setWindowTitle(QStringLiteral("Progress"));
    _stop_btn->setToolTip(QStringLiteral("Stop after the card in progress"));
    _Curr_Progress->setMinimumWidth(320);
    auto* figures = new QFormLayout;
    figures->addRow(QStringLiteral("Total:"), _tot_msg_cnt);
    figures->addRow(QStringLiteral("Done:"), _curr_msg_cnt);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(figures);
    layout->addWidget(_Curr_Progress);
    layout->addWidget(pause_label);
    layout->addWidget(_stop_btn, 0, Qt::AlignRight);
    connect(_stop_btn, &QPushButton::clicked, this, &Send_Modeless::Stop_Sending_Pressed);
    msend_modTimer->setInterval(500);
    connect(msend_modTimer, &QTimer::timeout, this, &Send_Modeless::update_sending_progress_bar);
    _curr_msg_cnt->setObjectName(QStringLiteral("curr_msg_cnt"));
    pause_label->setObjectName(QStringLiteral("pause_label"));
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

void Send_Modeless::follow(JobProgress& progress, const QString& unit)
{
    progress_ = &progress;
    unit_ = unit;
    _stop_btn->setEnabled(true);
    _stop_btn->setFocus();
    const int total = progress.total;
    _Curr_Progress->setRange(0, total);
    _Curr_Progress->setValue(0);
    _tot_msg_cnt->setText(QString::number(total));
    _curr_msg_cnt->setText(QStringLiteral("%1 / %2 %3").arg(0).arg(total).arg(unit).trimmed());
    pause_label->clear();
    msend_modTimer->start();
}

void Send_Modeless::finish()
{
    msend_modTimer->stop();
    progress_ = nullptr;
    _stop_btn->setEnabled(false);
}

void Send_Modeless::setPauseText(const QString& text)
{
    pause_label->setText(text);
}

void Send_Modeless::update_sending_progress_bar()
{
    if (!progress_)
        return;
    // What is finished (cards written, mails sent), never what was only started.
    const int total = progress_->total;
    const int done = std::min<int>(progress_->done, total);
    _Curr_Progress->setMaximum(total);
    _Curr_Progress->setValue(done);
    _curr_msg_cnt->setText(QStringLiteral("%1 / %2 %3").arg(done).arg(total).arg(unit_).trimmed());
}

void Send_Modeless::Stop_Sending_Pressed()
{
    // Once asked to stop, the run ends by itself within moments: nothing to ask again.
    if (!progress_ || progress_->stopRequested)
        return;
    JobProgress* asked = progress_;
    // The run waits for the answer: "No" must find it where it was.
    asked->hold();
    const bool stop = Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to stop?"));
    // A run that ended while the question was open has let go of its progress.
    if (progress_ != asked)
        return;
    if (stop) {
        asked->stopRequested = true;
        _stop_btn->setEnabled(false);
    }
    asked->release();
    // The question's window may have left the sheet under the window it covers.
    raise();
    activateWindow();
}

void Send_Modeless::reject()
{
    Stop_Sending_Pressed();
}

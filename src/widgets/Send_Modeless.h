#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
struct JobProgress;

// The progress sheet that long runs show over their window (batch export, printing, e-mail):
// the number of steps, the steps done, a bar, a pause countdown and Stop. It follows a run's
// JobProgress, reading the counters on a half-second timer; Stop asks first, then sets the
// run's stop request. GUI thread only.
class Send_Modeless : public QDialog
{
    Q_OBJECT

public:
    explicit Send_Modeless(QWidget* parent = nullptr);
    ~Send_Modeless() override;

    // The single instance (made by the main window); null before it exists.
    static Send_Modeless* defaultInstance();

    // Starts following a run whose steps are called unit ("Card"): Stop enabled, the bar at
    // 0 of progress.total. The progress must outlive the following (until finish()).
    void follow(JobProgress& progress, const QString& unit);
    // Stops following, with Stop off: the sheet keeps its last figures until it follows again.
    void finish();
    // The pause countdown of delayed delivery; "" outside a pause.
    void setPauseText(const QString& text);

    // The Stop button: "Yes" to the question asks the run to stop.
    void Stop_Sending_Pressed();
    // One tick: the bar and the counter from the progress as it stands.
    void update_sending_progress_bar();

    // Esc and the close button mean Stop, never a hidden sheet over a running job.
    void reject() override;

private:
    QLabel* _tot_msg_cnt;
    QLabel* _curr_msg_cnt;
    QProgressBar* _Curr_Progress;
    QPushButton* _stop_btn;
    QLabel* pause_label;
    QTimer* msend_modTimer;
    JobProgress* progress_ = nullptr;
    QString unit_;
};

#pragma once

#include <QDialog>

#include <atomic>

// Set by the Stop button; the export and mail workers test it before each card or message.
extern std::atomic<bool> Stop_SMS_Sending_Now;

class QLabel;
class QProgressBar;

// The progress sheet that batch export and e-mail show over the main window: a counter
// line, a progress bar and a Stop button that sets Stop_SMS_Sending_Now.
class Send_Modeless : public QDialog
{
    Q_OBJECT

public:
    explicit Send_Modeless(QWidget* parent = nullptr);
    ~Send_Modeless() override;

    // The single instance (made by the main window); null before it exists.
    static Send_Modeless* defaultInstance();

    // Shows "done of total" on the counter line and the bar.
    void setProgress(int done, int total);

private:
    QLabel* counter_;
    QProgressBar* bar_;
};

#pragma once

#include <QDialog>

#include <atomic>

class QLabel;
class QPushButton;

// The please-wait sheet that a window shows over itself while long work runs. Showing and
// hiding may be asked for from any thread: the call is carried to the GUI thread, in the
// order asked, without making the caller wait.
class PleaseWait_Modeless : public QDialog
{
    Q_OBJECT

public:
    // The sheet covers `over` (its window-modal parent).
    explicit PleaseWait_Modeless(QWidget* over);

    void Show_Create_Modeless();
    void Hide_Destroy_Modeless();
    // Gives the sheet a Stop button (Esc presses it too) that sets `stop`; the sheet then keeps
    // all input from the program's other windows until it is hidden. Before showing it.
    void offerStop(std::atomic<bool>& stop);

    QLabel* modeless_msg_lbl;
    QPushButton* stop_btn = nullptr;

protected:
    // The work goes on until it ends or is stopped: Esc does not take the sheet away.
    void reject() override;

private:
    void onGuiThread(void (PleaseWait_Modeless::*step)());
    void showSheet();
    void pressStop();

    std::atomic<bool>* stop_ = nullptr;
};

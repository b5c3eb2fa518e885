#pragma once

#include <QDialog>

class QLabel;

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

    QLabel* modeless_msg_lbl;

protected:
    // The work goes on whatever the user presses: Esc does not take the sheet away.
    void reject() override { }

private:
    void onGuiThread(void (PleaseWait_Modeless::*step)());
    void showSheet();
};

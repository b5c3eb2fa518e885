#pragma once

#include <QDialog>

class QPushButton;

// The first window of start-up: begin from a template ("T"), with the wizard ("W") or by
// opening a saved design ("L"). The choice goes to Start_Card_Option; Exit empties it and
// returns 0, on which the caller ends the program.
class Start_Card : public QDialog
{
    Q_OBJECT

public:
    explicit Start_Card(QWidget* parent = nullptr);

    void Using_Template_Click();
    void Using_Wizard_Click();
    void Open_Log_Click();
    // 0 template, 1 wizard, 2 open; other values leave Start_Card_Option as it is.
    void Select_card_option(int option);
    void OK_Click();
    void CancelClick();
    void HelpClick();

    QPushButton *Using_Template_btn, *Using_Wizard_btn, *Open_Log_btn;

protected:
    void reject() override { CancelClick(); }
};

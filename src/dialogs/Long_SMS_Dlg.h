#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// Title and text of the next information dialog; set by the caller before opening.
extern QString Cutom_Msg_Title, Cutom_Msg_Val;
// The apply-to-all check box as it stood when the dialog was last confirmed with OK.
extern bool Msg_Apply_All_Chk;

// The modal dialog for texts too long for an ordinary alert. Information mode shows the
// two globals above with OK only; question mode shows the caller's own title and text with
// Yes and No (No the default: questions here replace things), or with OK alone for a notice,
// and optionally an apply-to-all check box.
class Long_SMS_Dlg : public QDialog
{
    Q_OBJECT

public:
    explicit Long_SMS_Dlg(QWidget* parent = nullptr);
    ~Long_SMS_Dlg() override;

    // The single dialog, made on first use over the dialog parent (the main window).
    static Long_SMS_Dlg* defaultInstance();

    // Runs the dialog modally: 1 for Yes or OK, 0 for No. A question's title, text, check box
    // and notice_only serve this one opening only.
    int Open_Long_sms_Dialog();

    void OKPressed();
    void CancelPressed();

    // Set by a caller for a question; a title makes the opening a question.
    std::optional<QString> title_val;
    std::optional<QString> msg_val_str;
    bool apply_chk_show = false;
    // With a title: a notice answered by OK alone rather than a question.
    bool notice_only = false;
    // Whether the apply-to-all box was ticked at the last answer, Yes, OK or No alike.
    bool answeredForAll() const { return answeredForAll_; }

    QLabel* _Msg_Title;
    QPlainTextEdit* _Msg_Val;
    QCheckBox* apply_chk;
    QPushButton* yes_button;
    QPushButton* no_button;

private:
    bool answeredForAll_ = false;

protected:
    // Esc and the close button answer No, as the No button does.
    void reject() override;
};

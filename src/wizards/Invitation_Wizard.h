#pragma once

#include "wizards/TypedEntryCycle.h"

#include <QDialog>
#include <QSizeF>
#include <QString>
#include <QStringList>

class PictureBrowser;
class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTimeEdit;
class QToolButton;

// The party details a new card is built with; set by the start-up wizard.
extern QString Invite_Title, Invite_Message, Invite_From, Invite_To, Invite_Venue, Invite_Date, Invite_Time,
    Invite_BG_IMG;

// What the start-up wizard asks of the main window.
class InvitationWizardHost
{
public:
    virtual ~InvitationWizardHost() = default;
    virtual QSizeF Get_My_card_Size_For(const QString& category, const QString& preset, int listIndex) = 0;
    virtual QStringList presetNames(const QString& category) const = 0;
    virtual void Set_Card_Size_In_Control(const QSizeF& millimetres) = 0;
    // The category ("PVC Card" or another), orientation ("Horizontal" or "Vertical") and
    // preset row the size came from, for the card settings to show and store.
    virtual void Set_Card_Preset_In_Control(const QString& category, const QString& orientation, int row) = 0;
    virtual float MM_to_Points(float millimetres) = 0;
    virtual void Set_Document_Size(const QSizeF& points) = 0;
    virtual void SetDocumentCanvasSize(const QSizeF& points) = 0;
    virtual void contactUs() = 0;
};

// The invitation wizard: four steps, card size, background picture, title and message,
// party details. Finishing sets the card size on the main window and leaves the party
// details in the Invite_ globals; Cancel (or Esc) leaves everything as it was.
class Invitation_Wizard : public QDialog
{
    Q_OBJECT

public:
    explicit Invitation_Wizard(InvitationWizardHost& host, QWidget* parent = nullptr);
    ~Invitation_Wizard() override;

    static Invitation_Wizard* defaultInstance();

    // Reloads the pictures and lists, resets the choices and runs the wizard modally from
    // its first step: 1 when a new card was set up, 0 when it was cancelled.
    int Open_Wnd();

    // ---- Actions (the window's buttons; tests may call them too) ---------------------
    void OK_Click();
    void Back_Click();
    void CancelClick();
    void HelpClick();
    void Title_Back_Click();
    void Title_Next_Click();
    void Msg_Back_Click();
    void Msg_Next_Click();
    void Clear_Details_Click();
    void datePickerAction();
    void timePickerAction();

    // ---- State -----------------------------------------------------------------------
    int next_counter = 1; // 1 size, 2 background, 3 title and message, 4 details
    QStringList Title_Array, Message_Array;
    QString selected_image, selected_title, selected_msg, selected_date, selected_time;
    bool auto_background_selection = false;

    QStackedWidget* pages; // one page per step, from 0
    QLabel* APP_path_label;
    QComboBox* Category_ComboBox; // "PVC Card" or "Name Badge"
    QListWidget* Size_List; // the category's presets with their sizes in millimetres
    QComboBox* Preset_ComboBox; // "Horizontal" or "Vertical"
    QComboBox* Shape_ComboBox; // rectangle, rounded rectangle, ellipse
    QDoubleSpinBox *width_Stepper, *height_Stepper;
    PictureBrowser* imageBrowser;
    QLineEdit* msg_title;
    QPlainTextEdit* msg_value;
    QToolButton *title_bk_btn, *title_nxt_btn, *msg_bk_btn, *msg_nxt_btn;
    QLineEdit *from_value, *to_value, *venue_value;
    QDateEdit* Date_picker;
    QTimeEdit* Time_picker;
    QLineEdit *Date_ctrl_value, *Time_ctrl_value;
    QPushButton* clear_details_btn;
    QPushButton *Back_Btn, *Next_btn, *Cancel_btn, *Help_btn, *Contact_us_btn;

    // Longest texts, in UTF-16 units, for typing and pasting alike.
    static constexpr int fromToCap = 40, venueCap = 100, titleCap = 100, messageCap = 250;

protected:
    // Esc and the close button cancel.
    void reject() override { CancelClick(); }
    // The message is selected whole when Tab reaches it, as the title is, so typing replaces it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildSizePage();
    QWidget* buildBackgroundPage();
    QWidget* buildTitlePage();
    QWidget* buildDetailsPage();
    QWidget* buildButtons();
    void fillSizeList();
    void applyPresetSize();

    void showStep(int step);
    void enterTitleStep();
    void Load_and_fill_backgrounds();
    void Load_Msg_And_Title();
    // Shows a text in the field as the arrows do: Ctrl+Z brings back what was there.
    void showTitle(const QString& text);
    void showMessage(const QString& text);
    void Reset_All();
    void Clear_Details();
    void imageBrowserSelectionDidChange(const QString& path);
    void capMessage();
    void detailsEdited(const QString& text);
    void finish();

    InvitationWizardHost& host_;
    // The ready-made texts the arrows step through, with what the person typed kept among them.
    TypedEntryCycle titles_, messages_;
    bool showingText_ = false; // the wizard itself is changing the title or message
};

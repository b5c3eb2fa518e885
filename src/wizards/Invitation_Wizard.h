#pragma once

#include <QDialog>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QComboBox;
class QLineEdit;

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
    virtual float MM_to_Points(float millimetres) = 0;
    virtual void Set_Document_Size(const QSizeF& points) = 0;
    virtual void SetDocumentCanvasSize(const QSizeF& points) = 0;
    virtual int Open_Log_File() = 0;
};

// The start-up wizard: a new card of a chosen preset size, shape and party details, or a
// saved design opened through the main window.
class Invitation_Wizard : public QDialog
{
    Q_OBJECT

public:
    explicit Invitation_Wizard(InvitationWizardHost& host, QWidget* parent = nullptr);
    ~Invitation_Wizard() override;

    static Invitation_Wizard* defaultInstance();

    // Resets the fields and runs the wizard modally: 1 when a new card was set up ("W") or
    // a design opened ("L"), 0 when the wizard was left ("").
    int Open_Wnd();

    // The choices on the start screen (the buttons set them; tests may too).
    enum class Choice
    {
        NewCard,
        OpenDesign
    };
    Choice choice = Choice::NewCard;
    QComboBox* Category_ComboBox = nullptr; // "PVC Card" or "Name Badge"
    QComboBox* Size_ComboBox = nullptr; // preset names of the category
    QComboBox* Preset_ComboBox = nullptr; // "Horizontal" or "Vertical"
    QComboBox* Shape_ComboBox = nullptr; // rectangle, rounded rectangle, ellipse
    QLineEdit* title_Text = nullptr;
    QLineEdit* message_Text = nullptr;
    QLineEdit* from_Text = nullptr;
    QLineEdit* to_Text = nullptr;
    QLineEdit* venue_Text = nullptr;
    QLineEdit* date_Text = nullptr;
    QLineEdit* time_Text = nullptr;
    QLineEdit* background_Text = nullptr;

private:
    void resetFields();
    void fillSizes();
    void applyNewCard();

    InvitationWizardHost& host_;
};

#include "wizards/Invitation_Wizard.h"

#include "common/Logging.h"
#include "common/StringHelpers.h"
#include "model/CardGlobals.h"
#include "platform/DialogService.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString Invite_Title, Invite_Message, Invite_From, Invite_To, Invite_Venue, Invite_Date, Invite_Time, Invite_BG_IMG;

namespace {
Invitation_Wizard* instance = nullptr;
}

Invitation_Wizard::Invitation_Wizard(InvitationWizardHost& host, QWidget* parent)
    : QDialog(parent)
    , host_(host)
{
    setWindowTitle(QStringLiteral("New Invitation Card"));
    Category_ComboBox = new QComboBox(this);
    Category_ComboBox->addItems({ QStringLiteral("PVC Card"), QStringLiteral("Name Badge") });
    Size_ComboBox = new QComboBox(this);
    Preset_ComboBox = new QComboBox(this);
    Preset_ComboBox->addItems({ QStringLiteral("Horizontal"), QStringLiteral("Vertical") });
    Shape_ComboBox = new QComboBox(this);
    Shape_ComboBox->addItems(
        { QStringLiteral("Rectangle"), QStringLiteral("Rounded Rectangle"), QStringLiteral("Ellipse") });
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Category"), Category_ComboBox);
    form->addRow(QStringLiteral("Size"), Size_ComboBox);
    form->addRow(QStringLiteral("Orientation"), Preset_ComboBox);
    form->addRow(QStringLiteral("Shape"), Shape_ComboBox);
    const auto addText = [&](QLineEdit*& edit, const char* label) {
        edit = new QLineEdit(this);
        form->addRow(QString::fromLatin1(label), edit);
    };
    addText(title_Text, "Title");
    addText(message_Text, "Message");
    addText(from_Text, "From");
    addText(to_Text, "To");
    addText(venue_Text, "Venue");
    addText(date_Text, "Date");
    addText(time_Text, "Time");
    addText(background_Text, "Background picture");

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* create = buttons->addButton(QStringLiteral("Create"), QDialogButtonBox::AcceptRole);
    QPushButton* open = buttons->addButton(QStringLiteral("Open Design..."), QDialogButtonBox::ActionRole);
    QPushButton* exitButton = buttons->addButton(QStringLiteral("Exit"), QDialogButtonBox::RejectRole);
    connect(create, &QPushButton::clicked, this, [this] {
        choice = Choice::NewCard;
        accept();
    });
    connect(open, &QPushButton::clicked, this, [this] {
        choice = Choice::OpenDesign;
        accept();
    });
    connect(exitButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(Category_ComboBox, &QComboBox::currentIndexChanged, this, [this] { fillSizes(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    instance = this;
    resetFields();
}

Invitation_Wizard::~Invitation_Wizard()
{
    if (instance == this)
        instance = nullptr;
}

Invitation_Wizard* Invitation_Wizard::defaultInstance()
{
    return instance;
}

void Invitation_Wizard::resetFields()
{
    choice = Choice::NewCard;
    Category_ComboBox->setCurrentIndex(0);
    fillSizes();
    Preset_ComboBox->setCurrentIndex(0);
    Shape_ComboBox->setCurrentIndex(0);
    for (QLineEdit* edit :
        { title_Text, message_Text, from_Text, to_Text, venue_Text, date_Text, time_Text, background_Text })
        edit->clear();
}

void Invitation_Wizard::fillSizes()
{
    Size_ComboBox->clear();
    Size_ComboBox->addItems(host_.presetNames(Category_ComboBox->currentText()));
    Size_ComboBox->setCurrentIndex(0);
}

int Invitation_Wizard::Open_Wnd()
{
    resetFields();
    // A design that cannot be opened brings the start screen back rather than ending.
    for (;;) {
        if (dialogs().runModal(*this) != QDialog::Accepted) {
            Start_Card_Option = QString(QLatin1String(""));
            return 0;
        }
        if (choice == Choice::NewCard) {
            applyNewCard();
            Start_Card_Option = QStringLiteral("W");
            return 1;
        }
        if (host_.Open_Log_File() == 1) {
            Start_Card_Option = QStringLiteral("L");
            return 1;
        }
    }
}

void Invitation_Wizard::applyNewCard()
{
    Card_Shape = Shape_ComboBox->currentIndex();
    const QString orientation
        = Preset_ComboBox->currentText() == QLatin1String("Horizontal") ? QStringLiteral("H") : QStringLiteral("V");
    const QSizeF millimetres
        = host_.Get_My_card_Size_For(Category_ComboBox->currentText(), orientation, Size_ComboBox->currentIndex());
    if (millimetres.isValid()) {
        host_.Set_Card_Size_In_Control(millimetres);
        const QSizeF points(
            host_.MM_to_Points(float(millimetres.width())), host_.MM_to_Points(float(millimetres.height())));
        host_.Set_Document_Size(points);
        host_.SetDocumentCanvasSize(points);
    }
    Invite_Title = Trim_Str(title_Text->text());
    Invite_Message = Trim_Str(message_Text->text());
    Invite_From = Trim_Str(from_Text->text());
    Invite_To = Trim_Str(to_Text->text());
    Invite_Venue = Trim_Str(venue_Text->text());
    Invite_Date = Trim_Str(date_Text->text());
    Invite_Time = Trim_Str(time_Text->text());
    Invite_BG_IMG = background_Text->text();
}

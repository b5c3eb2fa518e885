#include "wizards/Card_Wizard.h"

#include "common/Logging.h"
#include "dialogs/ModalRun.h"
#include "model/CardGlobals.h"
#include "wizards/CardSizeFields.h"
#include "wizards/CardSizeHost.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <exception>

namespace {
Card_Wizard* instance = nullptr;
}

Card_Wizard::Card_Wizard(CardSizeHost& host, QWidget* parent)
    : QDialog(parent)
    , Sides_ComboBox(new QComboBox)
    , fields(new CardSizeFields(host))
    , matrix_card_shape(new QButtonGroup(this))
    , host_(host)
{
    setWindowTitle(QStringLiteral("Card Size"));
    Sides_ComboBox->addItems({ QStringLiteral("Two sides"), QStringLiteral("One side") });

    auto* shapes = new QGroupBox(QStringLiteral("Card shape"));
    auto* shapeLayout = new QHBoxLayout(shapes);
    const QStringList shapeNames
        = { QStringLiteral("&Rectangle"), QStringLiteral("Rou&nded rectangle"), QStringLiteral("&Ellipse") };
    for (int row = 0; row < shapeNames.size(); ++row) {
        auto* button = new QRadioButton(shapeNames[row]);
        matrix_card_shape->addButton(button, row);
        shapeLayout->addWidget(button);
    }
    shapeLayout->addStretch(1);
    connect(matrix_card_shape, &QButtonGroup::idClicked, this, &Card_Wizard::card_shape_CellClick);

    auto* sides = new QFormLayout;
    sides->addRow(QStringLiteral("&Sides:"), Sides_ComboBox);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton* profile = buttons->addButton(QStringLiteral("New Pro&file..."), QDialogButtonBox::ActionRole);
    profile->setToolTip(QStringLiteral("Create a profile of party details for this card"));
    connect(buttons, &QDialogButtonBox::accepted, this, &Card_Wizard::OK_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &Card_Wizard::CancelClick);
    connect(profile, &QPushButton::clicked, this, &Card_Wizard::User_Profile_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sides);
    layout->addWidget(fields, 1);
    layout->addWidget(shapes);
    layout->addWidget(buttons);
    resize(460, 440);
    instance = this;
}

Card_Wizard::~Card_Wizard()
{
    if (instance == this)
        instance = nullptr;
}

Card_Wizard* Card_Wizard::defaultInstance()
{
    return instance;
}

int Card_Wizard::Open_Wnd()
{
    try {
        matrix_card_shape->button(0)->setChecked(true);
        Sides_ComboBox->setCurrentIndex(0);
        fields->resetChoices();
        // The list follows the category shown, also on the first opening.
        fields->comboBoxSelectionDidChange(0);
        return runModalOnce(*this);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
        return 0;
    }
}

int Card_Wizard::Open_Wnd(const CardChoice& card)
{
    try {
        QAbstractButton* shape = matrix_card_shape->button(card.shape);
        (shape ? shape : matrix_card_shape->button(0))->setChecked(true);
        Card_Shape = shape ? card.shape : 0;
        Sides_ComboBox->setCurrentIndex(0);
        fields->showChoice(card.category, card.orientation, card.presetRow, card.millimetres);
        return runModalOnce(*this);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
        return 0;
    }
}

void Card_Wizard::OK_Click()
{
    const float width = host_.MM_to_Points(float(fields->width_Stepper->value()));
    const float height = host_.MM_to_Points(float(fields->height_Stepper->value()));
    host_.SetDocumentCanvasSize(QSizeF(width, height));
    done(1);
}

void Card_Wizard::CancelClick()
{
    Card_Shape = 0;
    done(0);
}

void Card_Wizard::card_shape_CellClick(int row)
{
    Card_Shape = row;
}

void Card_Wizard::User_Profile_Click()
{
    host_.openNewProfile();
}

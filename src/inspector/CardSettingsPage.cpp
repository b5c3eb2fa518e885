#include "inspector/CardSettingsPage.h"

#include "widgets/ColorWell.h"
#include "widgets/StepperSpinBox.h"
#include "common/StringHelpers.h"
#include "inspector/FontChoice.h"
#include "inspector/InspectorHost.h"
#include "model/Card_Property.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFontInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

CardSettingsPage::CardSettingsPage(InspectorHost& host, QWidget* parent)
    : QWidget(parent)
    , card_name(new QLineEdit)
    , Sides_ComboBox(new QComboBox)
    , Preset_ComboBox(new QComboBox)
    , Category_ComboBox(new QComboBox)
    , ColList(new QListWidget)
    , width_Text(new StepperSpinBox)
    , height_Text(new StepperSpinBox)
    , matrix_card_shape(new QButtonGroup(this))
    , All_Text_clr(new ColorWell)
    , All_Text_font_value(new QLabel)
    , host_(host)
{
    // Item 0 of the sides list is the two-sided card.
    Sides_ComboBox->addItems({ tr("Front and back"), tr("Front only") });
    Preset_ComboBox->addItems({ QStringLiteral("Horizontal"), QStringLiteral("Vertical") });
    Category_ComboBox->addItems({ QStringLiteral("PVC Card"), QStringLiteral("Name Badge") });
    ColList->setMinimumHeight(90);
    for (StepperSpinBox* box : { width_Text, height_Text }) {
        box->setDecimals(3);
        box->setRange(1.0, 1000.0);
        box->setSuffix(tr(" mm"));
    }

    auto* identity = new QFormLayout;
    identity->addRow(tr("Na&me:"), card_name);
    identity->addRow(tr("&Sides:"), Sides_ComboBox);
    identity->addRow(tr("O&rientation:"), Preset_ComboBox);
    identity->addRow(tr("Categor&y:"), Category_ComboBox);
    identity->addRow(ColList);

    auto* sizeBox = new QGroupBox(tr("Size and shape"));
    auto* apply = new QPushButton(tr("A&pply"));
    auto* sizeForm = new QFormLayout(sizeBox);
    sizeForm->addRow(tr("&Width:"), width_Text);
    sizeForm->addRow(tr("He&ight:"), height_Text);
    auto* chooser = new QPushButton(tr("Choose Si&ze..."));
    chooser->setToolTip(tr("Pick a card size from the presets"));
    auto* sizeButtons = new QHBoxLayout;
    sizeButtons->addWidget(apply);
    sizeButtons->addWidget(chooser);
    sizeButtons->addStretch(1);
    sizeForm->addRow(QString(), sizeButtons);
    const QString shapes[] = { tr("Rectan&gle"), tr("Ro&unded rectangle"), tr("E&llipse") };
    auto* shapeRow = new QVBoxLayout;
    for (int row = 0; row < 3; ++row) {
        auto* button = new QRadioButton(shapes[row]);
        matrix_card_shape->addButton(button, row);
        shapeRow->addWidget(button);
    }
    sizeForm->addRow(tr("Shape:"), shapeRow);

    auto* textBox = new QGroupBox(tr("Text of the card"));
    auto* font = new QPushButton(tr("Fo&nt…"));
    All_Text_font_value->setWordWrap(true);
    auto* textForm = new QFormLayout(textBox);
    textForm->addRow(tr("C&olour:"), All_Text_clr);
    textForm->addRow(font, All_Text_font_value);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(identity);
    layout->addWidget(sizeBox);
    layout->addWidget(textBox);
    layout->addStretch(1);

    const auto write = [this] { host_.Update_Card_Graphics(); };
    connect(card_name, &QLineEdit::editingFinished, this, write);
    connect(Sides_ComboBox, &QComboBox::activated, this, write);
    connect(Preset_ComboBox, &QComboBox::activated, this, [this] { host_.applyCardPreset(); });
    connect(Category_ComboBox, &QComboBox::activated, this, [this] {
        host_.fillCardSizeList(Category_ComboBox->currentText() == QLatin1String("PVC Card"));
        host_.applyCardPreset();
    });
    // The selection, not the current row: tabbing into the list makes a row current
    // without choosing it.
    connect(ColList, &QListWidget::itemSelectionChanged, this, [this] { host_.applyCardPreset(); });
    connect(width_Text, &StepperSpinBox::stepped, this, [this] { host_.Apply_Size_Clicked(); });
    connect(height_Text, &StepperSpinBox::stepped, this, [this] { host_.Apply_Size_Clicked(); });
    connect(apply, &QPushButton::clicked, this, [this] { host_.Apply_Size_Clicked(); });
    connect(chooser, &QPushButton::clicked, this, [this] { host_.Open_Card_Size_Chooser(); });
    connect(matrix_card_shape, &QButtonGroup::idClicked, this, [this](int row) { host_.card_shape_CellClick(row); });
    connect(All_Text_clr, &ColorWell::colorChosen, this, [this] { host_.Update_All_Card_Content(); });
    connect(font, &QPushButton::clicked, this, &CardSettingsPage::chooseFont);
}

QString CardSettingsPage::fontLabel(const QFont& font)
{
    // The face the text is drawn in, which Font… opens at: a family this computer lacks is
    // named by the face standing in for it.
    return QStringLiteral("%1 ( %2 )").arg(QFontInfo(font).family()).arg(font.pointSizeF(), 0, 'f', 2);
}

void CardSettingsPage::resetContent(const QFont& font, const QColor& color)
{
    setContentFont(font);
    All_Text_clr->setColor(color);
    All_Text_font_COPY.reset();
    All_Text_clr_COPY = color;
}

void CardSettingsPage::setContentFont(const QFont& font)
{
    All_Text_font = font;
    showTextFont();
}

QFont CardSettingsPage::textFont() const
{
    return host_.firstTextFont().value_or(All_Text_font);
}

void CardSettingsPage::showTextFont()
{
    All_Text_font_value->setText(fontLabel(textFont()));
}

void CardSettingsPage::load(const Card_Property& card, int cardShape)
{
    All_Text_clr->setColor(card.Card_Content_clr);
    setContentFont(card.Card_Content_font.value_or(All_Text_font));
    All_Text_font_COPY = All_Text_font;
    All_Text_clr_COPY = All_Text_clr->color();
    if (QAbstractButton* shape = matrix_card_shape->button(cardShape))
        shape->setChecked(true);
    card_name->setText(card.Card_Name);
    if (const int preset = Preset_ComboBox->findText(card.Card_Preset); preset >= 0)
        Preset_ComboBox->setCurrentIndex(preset);
    if (const int category = Category_ComboBox->findText(card.Card_Category); category >= 0)
        Category_ComboBox->setCurrentIndex(category);
    host_.fillCardSizeList(Category_ComboBox->currentText() == QLatin1String("PVC Card"));
    Sides_ComboBox->setCurrentIndex(card.Card_Side == QLatin1String("1") ? 1 : 0);
    host_.Mark_List_New_Selection(card.Card_Cat_index);
}

void CardSettingsPage::writeTo(Card_Property& card) const
{
    card.Card_Content_clr = All_Text_clr->color();
    card.Card_Content_font = All_Text_font;
    card.Card_Side = Sides_ComboBox->currentIndex() == 0 ? QStringLiteral("2") : QStringLiteral("1");
    const QString name = Trim_Str(card_name->text());
    card.Card_Name = name.isEmpty() ? QStringLiteral("Untitled") : name;
    card.Card_Preset = Preset_ComboBox->currentText();
    card.Card_Category = Category_ComboBox->currentText();
    const int row = ColList->currentRow();
    card.Card_Cat_index = ColList->currentItem() && ColList->currentItem()->isSelected() ? row : -1;
    card.Card_Sub_Category = card.Card_Cat_index >= 0 ? ColList->item(row)->text() : QString();
}

void CardSettingsPage::chooseFont()
{
    // The dialog shows what the card's texts look like, not the default a new text takes.
    const std::optional<QFont> font = chooseChangedFont(textFont(), tr("Font of the Card's Text"), this);
    if (!font)
        return;
    All_Text_font = *font;
    // A change from what the dialog showed reaches every text, even back to the card's own font.
    All_Text_font_COPY.reset();
    host_.Update_All_Card_Content();
    showTextFont();
}

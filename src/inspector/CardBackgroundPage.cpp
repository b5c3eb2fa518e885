#include "inspector/CardBackgroundPage.h"

#include "widgets/ColorWell.h"
#include "widgets/WidgetHelpers.h"
#include "inspector/InspectorHost.h"
#include "model/Card_Property.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QColor withAlpha(QColor color, double alpha)
{
    color.setAlphaF(float(alpha));
    return color;
}

} // namespace

CardBackgroundPage::CardBackgroundPage(InspectorHost& host, QWidget* parent)
    : QWidget(parent)
    , Card_fill_chk(new QCheckBox(tr("F&ill the card")))
    , Card_Fill_Box(new QGroupBox)
    , Card_solid_fill_rd(new QRadioButton(tr("&Solid colour")))
    , Card_gradient_fill_rd(new QRadioButton(tr("&Gradient")))
    , Card_Style_fill_rd(new QRadioButton(tr("Hatch patte&rn")))
    , Card_Image_fill_rd(new QRadioButton(tr("&Picture")))
    , Card_fill_clr(new ColorWell)
    , Card_fill_Grd_1_clr(new ColorWell)
    , Card_fill_Grd_2_clr(new ColorWell)
    , Card_grad_Stepper(new QSpinBox)
    , Card_hatch_style(new QComboBox)
    , Card_hatch_bk_clr(new ColorWell)
    , Card_image_box(new QGroupBox(tr("Picture")))
    , Card_Image_path(new QLineEdit)
    , Card_image_layout(new QComboBox)
    , Card_alpha_Stepper(new QSpinBox)
    , host_(host)
{
    Card_grad_Stepper->setRange(0, 360);
    Card_grad_Stepper->setSuffix(QStringLiteral("°"));
    Card_grad_Stepper->setWrapping(true);
    Card_alpha_Stepper->setRange(0, 100);
    Card_alpha_Stepper->setSuffix(QStringLiteral(" %"));
    for (QSpinBox* box : { Card_grad_Stepper, Card_alpha_Stepper })
        box->setKeyboardTracking(false);
    Card_Image_path->setReadOnly(true);
    Card_image_layout->addItems({ QStringLiteral("Stretch"), QStringLiteral("Tile") });

    auto* gradient = new QHBoxLayout;
    gradient->addWidget(Card_fill_Grd_1_clr);
    gradient->addWidget(Card_fill_Grd_2_clr);
    gradient->addWidget(Card_grad_Stepper, 1);
    auto* fillForm = new QFormLayout(Card_Fill_Box);
    fillForm->addRow(Card_solid_fill_rd, Card_fill_clr);
    fillForm->addRow(Card_gradient_fill_rd, gradient);
    fillForm->addRow(Card_Style_fill_rd, Card_hatch_style);
    fillForm->addRow(tr("Hatch bac&kground:"), Card_hatch_bk_clr);
    fillForm->addRow(Card_Image_fill_rd);

    auto* browse = new QPushButton(tr("&Browse…"));
    auto* library = new QPushButton(tr("&Library…"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(browse);
    buttons->addWidget(library);
    auto* imageForm = new QFormLayout(Card_image_box);
    imageForm->addRow(Card_Image_path);
    imageForm->addRow(buttons);
    imageForm->addRow(tr("La&yout:"), Card_image_layout);
    fillForm->addRow(Card_image_box);

    auto* opacity = new QFormLayout;
    opacity->addRow(tr("&Opacity:"), Card_alpha_Stepper);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Card_fill_chk);
    layout->addWidget(Card_Fill_Box);
    layout->addLayout(opacity);
    layout->addStretch(1);

    const auto write = [this] { host_.Update_Card_Graphics(); };
    connect(Card_fill_chk, &QCheckBox::clicked, this, [this](bool on) {
        SetObjEnabled(Card_Fill_Box, on);
        if (const Card_PropertyPtr card = host_.currentCardSettings())
            card_prop_set(card->Card_fill_style);
        host_.Update_Card_Graphics();
    });
    connect(Card_solid_fill_rd, &QRadioButton::clicked, this, [this] { styleChosen(QStringLiteral("S")); });
    connect(Card_gradient_fill_rd, &QRadioButton::clicked, this, [this] { styleChosen(QStringLiteral("G")); });
    connect(Card_Style_fill_rd, &QRadioButton::clicked, this, [this] { styleChosen(QStringLiteral("H")); });
    connect(Card_Image_fill_rd, &QRadioButton::clicked, this, [this] { styleChosen(QStringLiteral("I")); });
    for (ColorWell* well : { Card_fill_clr, Card_fill_Grd_1_clr, Card_fill_Grd_2_clr, Card_hatch_bk_clr })
        connect(well, &ColorWell::colorChosen, this, write);
    connect(Card_grad_Stepper, &QSpinBox::valueChanged, this, write);
    connect(Card_alpha_Stepper, &QSpinBox::valueChanged, this, write);
    connect(Card_hatch_style, &QComboBox::activated, this, write);
    connect(Card_image_layout, &QComboBox::activated, this, write);
    connect(browse, &QPushButton::clicked, this, [this] { host_.Card_Image_Browse_Btn(); });
    connect(library, &QPushButton::clicked, this, [this] { host_.Card_Image_Library_Btn(); });
}

void CardBackgroundPage::setHatchNames(const QStringList& names)
{
    Card_hatch_style->clear();
    Card_hatch_style->addItems(names);
    Card_hatch_style->setCurrentIndex(names.isEmpty() ? -1 : 0);
}

void CardBackgroundPage::load(const Card_Property& card)
{
    const QSignalBlocker blockAngle(Card_grad_Stepper);
    const QSignalBlocker blockAlpha(Card_alpha_Stepper);
    Card_fill_chk->setChecked(card.Card_fill_chk);
    // The wells show the colours whole; the opacity has its own field.
    Card_fill_clr->setColor(withAlpha(card.Card_fill_clr, 1.0));
    Card_fill_Grd_1_clr->setColor(withAlpha(card.Card_fill_Grd_1_clr, 1.0));
    Card_fill_Grd_2_clr->setColor(withAlpha(card.Card_fill_Grd_2_clr, 1.0));
    Card_grad_Stepper->setValue(card.Card_grad_Stepper);
    Card_hatch_bk_clr->setColor(withAlpha(card.Card_hatch_bk_clr, 1.0));
    if (card.Card_fill_style == QLatin1String("H"))
        Card_hatch_style->setCurrentIndex(
            card.Card_hatch_style.isEmpty() ? -1 : Card_hatch_style->findText(card.Card_hatch_style));
    Card_alpha_Stepper->setValue(qRound(double(card.Card_alpha_Stepper) * 100.0));
    Card_Image_path->setText(card.Card_BG_Image_Path);
    if (const int layout = Card_image_layout->findText(card.Card_BG_Image_Layout); layout >= 0)
        Card_image_layout->setCurrentIndex(layout);
}

void CardBackgroundPage::writeTo(Card_Property& card, bool frontSide) const
{
    const double alpha = Card_alpha_Stepper->value() / 100.0;
    card.Card_fill_chk = Card_fill_chk->isChecked();
    if (card.Card_fill_chk)
        card.Card_fill_clr = withAlpha(Card_fill_clr->color(), alpha);
    if (frontSide || card.Card_fill_chk)
        card.Card_fill_style = selectedFillStyle();
    else
        card.Card_fill_style = QStringLiteral("S");
    card.Card_fill_Grd_1_clr = withAlpha(Card_fill_Grd_1_clr->color(), alpha);
    card.Card_fill_Grd_2_clr = withAlpha(Card_fill_Grd_2_clr->color(), alpha);
    card.Card_grad_Stepper = Card_grad_Stepper->value();
    card.Card_hatch_bk_clr = withAlpha(Card_hatch_bk_clr->color(), alpha);
    card.Card_hatch_style = Card_hatch_style->currentText();
    card.Card_BG_Image_Path = Card_Image_path->text();
    card.Card_BG_Image_Layout = Card_image_layout->currentText();
    card.Card_alpha_Stepper = float(alpha);
}

QString CardBackgroundPage::selectedFillStyle() const
{
    if (Card_gradient_fill_rd->isChecked())
        return QStringLiteral("G");
    if (Card_Style_fill_rd->isChecked())
        return QStringLiteral("H");
    if (Card_Image_fill_rd->isChecked())
        return QStringLiteral("I");
    return QStringLiteral("S");
}

void CardBackgroundPage::card_prop_set(const QString& fillStyle)
{
    const bool gradient = fillStyle == QLatin1String("G");
    const bool hatch = fillStyle == QLatin1String("H");
    const bool picture = fillStyle == QLatin1String("I");
    const bool solid = !gradient && !hatch && !picture;
    // The four buttons are exclusive: turning one on turns the others off.
    (gradient         ? Card_gradient_fill_rd
            : hatch   ? Card_Style_fill_rd
            : picture ? Card_Image_fill_rd
                      : Card_solid_fill_rd)
        ->setChecked(true);
    SetObjEnabled(Card_Fill_Box, Card_fill_chk->isChecked());
    if (!Card_fill_chk->isChecked())
        return;
    Card_fill_clr->setEnabled(solid);
    for (QWidget* control : { static_cast<QWidget*>(Card_fill_Grd_1_clr), static_cast<QWidget*>(Card_fill_Grd_2_clr),
             static_cast<QWidget*>(Card_grad_Stepper) })
        control->setEnabled(gradient);
    Card_hatch_style->setEnabled(hatch);
    Card_hatch_bk_clr->setEnabled(hatch);
    SetObjEnabled(Card_image_box, picture);
}

void CardBackgroundPage::styleChosen(const QString& fillStyle)
{
    // A hatch without a pattern would leave the card blank.
    if (fillStyle == QLatin1String("H") && Card_hatch_style->currentIndex() < 0 && Card_hatch_style->count() > 0)
        Card_hatch_style->setCurrentIndex(0);
    card_prop_set(fillStyle);
    host_.Update_Card_Graphics();
}

#include "inspector/CardBorderPage.h"

#include "widgets/ColorWell.h"
#include "widgets/WidgetHelpers.h"
#include "inspector/BorderStyles.h"
#include "inspector/InspectorHost.h"
#include "model/Card_Property.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

CardBorderPage::CardBorderPage(InspectorHost& host, QWidget* parent)
    : QWidget(parent)
    , Card_border_chk(new QCheckBox(tr("Draw a &border")))
    , Card_Border_Box(new QGroupBox)
    , Card_bordr_clr(new ColorWell)
    , Card_bor_Stepper(new QSpinBox)
    , Card_border_style(new QComboBox)
    , host_(host)
{
    Card_bor_Stepper->setRange(0, 100);
    Card_bor_Stepper->setSuffix(tr(" pt"));
    Card_bor_Stepper->setKeyboardTracking(false);
    Card_border_style->addItems(BorderStyles::names());
    auto* form = new QFormLayout(Card_Border_Box);
    form->addRow(tr("C&olour:"), Card_bordr_clr);
    form->addRow(tr("&Width:"), Card_bor_Stepper);
    form->addRow(tr("&Style:"), Card_border_style);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Card_border_chk);
    layout->addWidget(Card_Border_Box);
    layout->addStretch(1);

    connect(Card_border_chk, &QCheckBox::clicked, this, [this] {
        enableBorderBox();
        host_.Update_Card_Graphics();
    });
    connect(Card_bordr_clr, &ColorWell::colorChosen, this, [this] { host_.Update_Card_Graphics(); });
    connect(Card_bor_Stepper, &QSpinBox::valueChanged, this, [this] { host_.Update_Card_Graphics(); });
    connect(Card_border_style, &QComboBox::activated, this, [this] { host_.Update_Card_Graphics(); });
}

void CardBorderPage::load(const Card_Property& card)
{
    const QSignalBlocker blockWidth(Card_bor_Stepper);
    Card_border_chk->setChecked(card.Card_border_chk);
    Card_bordr_clr->setColor(card.Card_bordr_clr);
    Card_bor_Stepper->setValue(card.Card_bor_Stepper);
    if (const int index = BorderStyles::indexOf(card.Card_border_style); index >= 0)
        Card_border_style->setCurrentIndex(index);
}

void CardBorderPage::writeTo(Card_Property& card) const
{
    card.Card_border_chk = Card_border_chk->isChecked();
    if (card.Card_border_chk) {
        card.Card_bordr_clr = Card_bordr_clr->color();
        card.Card_bor_Stepper = Card_bor_Stepper->value();
    }
    if (const QString code = BorderStyles::codeAt(Card_border_style->currentIndex()); !code.isEmpty())
        card.Card_border_style = code;
}

void CardBorderPage::enableBorderBox()
{
    SetObjEnabled(Card_Border_Box, Card_border_chk->isChecked());
}

#include "inspector/ObjectBorderGroup.h"

#include "inspector/BorderStyles.h"
#include "inspector/PanelValues.h"
#include "model/SKTGraphic.h"
#include "widgets/ColorWell.h"
#include "widgets/WidgetHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

ObjectBorderGroup::ObjectBorderGroup(QWidget* parent)
    : QWidget(parent)
    , border_chk(new QCheckBox(tr("Draw a &border")))
    , Border_Box(new QGroupBox)
    , bordr_clr(new ColorWell)
    , bor_Stepper(new QSpinBox)
    , border_style(new QComboBox)
{
    PanelValues::setUpStepper(bor_Stepper, 0, 100, tr(" pt"));
    border_style->addItems(BorderStyles::names());
    auto* form = new QFormLayout(Border_Box);
    form->addRow(tr("Border co&lour:"), bordr_clr);
    form->addRow(tr("Border &width:"), bor_Stepper);
    form->addRow(tr("Border st&yle:"), border_style);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(border_chk);
    layout->addWidget(Border_Box);

    connect(border_chk, &QCheckBox::clicked, this, [this] {
        enableBox();
        emit changed();
    });
    connect(bordr_clr, &ColorWell::colorChosen, this, &ObjectBorderGroup::changed);
    connect(bor_Stepper, &QSpinBox::valueChanged, this, &ObjectBorderGroup::changed);
    connect(border_style, &QComboBox::activated, this, &ObjectBorderGroup::changed);
}

void ObjectBorderGroup::load(const SKTGraphic& graphic)
{
    const QSignalBlocker blockWidth(bor_Stepper);
    border_chk->setChecked(graphic._isDrawingStroke);
    bor_Stepper->setValue(PanelValues::truncated(graphic._strokeWidth));
    bordr_clr->setColor(graphic._strokeColor);
    PanelValues::loadBorderStyle(border_style, graphic._stroke_border_type);
    enableBox();
}

void ObjectBorderGroup::writeTo(SKTGraphic& graphic) const
{
    graphic._isDrawingStroke = border_chk->isChecked();
    if (graphic._isDrawingStroke) {
        graphic._strokeColor = bordr_clr->color();
        graphic._strokeWidth = bor_Stepper->value();
    }
    PanelValues::writeBorderStyle(border_style, graphic);
}

void ObjectBorderGroup::enableBox()
{
    SetObjEnabled(Border_Box, border_chk->isChecked());
}

#include "inspector/ObjectFillGroup.h"

#include "inspector/PanelValues.h"
#include "model/SKTGraphic.h"
#include "widgets/ColorWell.h"
#include "widgets/WidgetHelpers.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

ObjectFillGroup::ObjectFillGroup(Hatch hatch, QWidget* parent)
    : QWidget(parent)
    , fill_chk(new QCheckBox(tr("F&ill")))
    , Fill_Box(new QGroupBox)
    , solid_fill_rd(new QRadioButton(tr("&Solid")))
    , gradient_fill_rd(new QRadioButton(tr("&Gradient")))
    , fill_clr(new ColorWell)
    , fill_Grd_1_clr(new ColorWell)
    , fill_Grd_2_clr(new ColorWell)
    , grad_Stepper(new QSpinBox)
    , withHatch_(hatch == Hatch::With)
    , radios_(new QButtonGroup(this))
{
    PanelValues::setUpStepper(grad_Stepper, 0, 360, QStringLiteral("°"));
    grad_Stepper->setWrapping(true);
    grad_Stepper->setToolTip(tr("Angle of the gradient"));
    fill_Grd_1_clr->setToolTip(tr("First colour of the gradient"));
    fill_Grd_2_clr->setToolTip(tr("Second colour of the gradient"));
    radios_->addButton(solid_fill_rd);
    radios_->addButton(gradient_fill_rd);
    solid_fill_rd->setChecked(true);

    auto* gradient = new QHBoxLayout;
    gradient->addWidget(fill_Grd_1_clr);
    gradient->addWidget(fill_Grd_2_clr);
    gradient->addWidget(grad_Stepper, 1);
    auto* form = new QFormLayout(Fill_Box);
    form->addRow(solid_fill_rd, fill_clr);
    form->addRow(gradient_fill_rd, gradient);
    if (withHatch_) {
        Style_fill_rd = new QRadioButton(tr("Hatch"));
        hatch_style = new QComboBox;
        hatch_bk_clr = new ColorWell;
        hatch_bk_clr->setToolTip(tr("Colour under the hatch pattern"));
        radios_->addButton(Style_fill_rd);
        auto* hatchRow = new QHBoxLayout;
        hatchRow->addWidget(hatch_style, 1);
        hatchRow->addWidget(hatch_bk_clr);
        form->addRow(Style_fill_rd, hatchRow);
        connect(hatch_style, &QComboBox::activated, this, &ObjectFillGroup::changed);
        connect(hatch_bk_clr, &ColorWell::colorChosen, this, &ObjectFillGroup::changed);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fill_chk);
    layout->addWidget(Fill_Box);

    connect(fill_chk, &QCheckBox::clicked, this, [this] {
        enableControls();
        emit changed();
    });
    connect(radios_, &QButtonGroup::buttonClicked, this, [this] {
        // A hatch without a pattern would leave the object blank.
        if (withHatch_ && Style_fill_rd->isChecked() && hatch_style->currentIndex() < 0 && hatch_style->count() > 0)
            hatch_style->setCurrentIndex(0);
        enableControls();
        emit changed();
    });
    for (ColorWell* well : { fill_clr, fill_Grd_1_clr, fill_Grd_2_clr })
        connect(well, &ColorWell::colorChosen, this, &ObjectFillGroup::changed);
    connect(grad_Stepper, &QSpinBox::valueChanged, this, &ObjectFillGroup::changed);
}

void ObjectFillGroup::load(const SKTGraphic& graphic)
{
    const QSignalBlocker blockAngle(grad_Stepper);
    fill_chk->setChecked(graphic._isDrawingFill);
    fill_clr->setColor(graphic._fillColor);
    fill_Grd_1_clr->setColor(graphic._fill_Grad_clr1);
    fill_Grd_2_clr->setColor(graphic._fill_Grad_clr2);
    grad_Stepper->setValue(PanelValues::truncated(graphic._fill_grad_angle));
    if (graphic._fill_type == QLatin1String("G"))
        gradient_fill_rd->setChecked(true);
    else if (withHatch_ && graphic._fill_type == QLatin1String("H"))
        Style_fill_rd->setChecked(true);
    else
        solid_fill_rd->setChecked(true);
    if (withHatch_) {
        hatch_bk_clr->setColor(graphic._fill_htch_clr);
        hatch_style->setCurrentIndex(hatch_style->findText(graphic._fill_hatch_type));
    }
    enableControls();
}

QString ObjectFillGroup::chosenType() const
{
    if (gradient_fill_rd->isChecked())
        return QStringLiteral("G");
    if (withHatch_ && Style_fill_rd->isChecked())
        return QStringLiteral("H");
    return QStringLiteral("S");
}

void ObjectFillGroup::writeTo(SKTGraphic& graphic) const
{
    graphic._isDrawingFill = fill_chk->isChecked();
    if (graphic._isDrawingFill)
        graphic._fillColor = fill_clr->color();
    graphic._fill_type = graphic._isDrawingFill ? chosenType() : QStringLiteral("S");
    graphic._fill_Grad_clr1 = fill_Grd_1_clr->color();
    graphic._fill_Grad_clr2 = fill_Grd_2_clr->color();
    graphic._fill_grad_angle = grad_Stepper->value();
    if (withHatch_) {
        graphic._fill_htch_clr = hatch_bk_clr->color();
        graphic._fill_hatch_type = hatch_style->currentText();
    }
}

void ObjectFillGroup::enableControls()
{
    SetObjEnabled(Fill_Box, fill_chk->isChecked());
    const QString type = chosenType();
    fill_clr->setEnabled(type == QLatin1String("S"));
    for (QWidget* control : { static_cast<QWidget*>(fill_Grd_1_clr), static_cast<QWidget*>(fill_Grd_2_clr),
             static_cast<QWidget*>(grad_Stepper) })
        control->setEnabled(type == QLatin1String("G"));
    if (withHatch_) {
        hatch_style->setEnabled(type == QLatin1String("H"));
        hatch_bk_clr->setEnabled(type == QLatin1String("H"));
    }
}

#include "inspector/TextPropertiesPage.h"

#include "inspector/ObjectBorderGroup.h"
#include "inspector/ObjectFillGroup.h"
#include "inspector/PanelValues.h"
#include "model/SKTGraphic.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

TextPropertiesPage::TextPropertiesPage(QWidget* parent)
    : ObjectPage(parent)
    , Text_Border_Box(new ObjectBorderGroup)
    , Text_Fill_Box(new ObjectFillGroup(ObjectFillGroup::Hatch::Without))
    , Text_alpha_Stepper(new QSpinBox)
    , Text_Kern_Stepper(new QDoubleSpinBox)
    , Text_align_combo(new QComboBox)
    , Text_case_combo(new QComboBox)
    , Text_Date_style(new QComboBox)
    , Text_Time_style(new QComboBox)
{
    PanelValues::setUpStepper(Text_alpha_Stepper, 0, 100, QStringLiteral(" %"));
    Text_Kern_Stepper->setRange(-20.0, 50.0);
    Text_Kern_Stepper->setSingleStep(0.5);
    Text_Kern_Stepper->setDecimals(1);
    Text_Kern_Stepper->setSuffix(tr(" pt"));
    Text_Kern_Stepper->setKeyboardTracking(false);
    Text_Kern_Stepper->setToolTip(tr("Extra space between letters"));
    Text_align_combo->addItems({ tr("Left"), tr("Right"), tr("Centre"), tr("Justified") });
    Text_case_combo->addItems({ tr("As typed"), tr("UPPER CASE"), tr("lower case"), tr("Title Case") });
    auto* form = new QFormLayout;
    form->addRow(tr("&Opacity:"), Text_alpha_Stepper);
    form->addRow(tr("Lette&r spacing:"), Text_Kern_Stepper);
    form->addRow(tr("Alig&nment:"), Text_align_combo);
    form->addRow(tr("Case:"), Text_case_combo);
    form->addRow(tr("&Date format:"), Text_Date_style);
    form->addRow(tr("Ti&me format:"), Text_Time_style);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Text_Border_Box);
    layout->addWidget(Text_Fill_Box);
    layout->addLayout(form);
    layout->addStretch(1);

    connect(Text_Border_Box, &ObjectBorderGroup::changed, this, &TextPropertiesPage::changed);
    connect(Text_Fill_Box, &ObjectFillGroup::changed, this, &TextPropertiesPage::changed);
    connect(Text_alpha_Stepper, &QSpinBox::valueChanged, this, &TextPropertiesPage::changed);
    connect(Text_Kern_Stepper, &QDoubleSpinBox::valueChanged, this, &TextPropertiesPage::changed);
    connect(Text_align_combo, &QComboBox::activated, this, &TextPropertiesPage::changed);
    connect(Text_case_combo, &QComboBox::activated, this, &TextPropertiesPage::changed);
}

void TextPropertiesPage::fillFixedLists()
{
    Text_Date_style->clear();
    Text_Date_style->addItems({ "M-d-yyyy", "M-d-yy", "MM-dd-yy", "MM-dd-yyyy", "yy-MM-dd", "yyyy-MM-dd", "dd-MMM-yy",
        "dd-MM-yyyy", "d-M-yy" });
    Text_Date_style->setCurrentIndex(0);
    Text_Time_style->clear();
    Text_Time_style->addItems({ "h:mm:ss a", "hh:mm:ss a", "H:mm:ss", "HH:mm:ss" });
    Text_Time_style->setCurrentIndex(0);
    Text_align_combo->setCurrentIndex(0);
    Text_case_combo->setCurrentIndex(0);
}

void TextPropertiesPage::load(const SKTGraphic& graphic)
{
    const QSignalBlocker blockAlpha(Text_alpha_Stepper);
    const QSignalBlocker blockKerning(Text_Kern_Stepper);
    Text_Border_Box->load(graphic);
    Text_Fill_Box->load(graphic);
    Text_alpha_Stepper->setValue(PanelValues::percentOf(graphic.alpha_val));
    Text_Kern_Stepper->setValue(std::isnan(graphic.text_kerning) ? 0.0 : graphic.text_kerning);
    PanelValues::selectIndex(Text_align_combo, graphic.text_alignmnet);
    PanelValues::selectIndex(Text_case_combo, graphic.text_transfrom_case);
}

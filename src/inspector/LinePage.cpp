#include "inspector/LinePage.h"

#include "inspector/BorderStyles.h"
#include "inspector/InspectorHost.h"
#include "inspector/PanelValues.h"
#include "widgets/ColorWell.h"

#include <QComboBox>
#include <QFormLayout>
#include <QSignalBlocker>
#include <QSpinBox>

LinePage::LinePage(InspectorHost& host, QWidget* parent)
    : ObjectPage(parent)
    , Line_clr(new ColorWell)
    , Line_Wdt_Stepper(new QSpinBox)
    , Line_border_style(new QComboBox)
    , Line_cap_style(new QComboBox)
    , Line_ori_style(new QComboBox)
    , Line_alpha_Stepper(new QSpinBox)
    , host_(host)
{
    PanelValues::setUpStepper(Line_Wdt_Stepper, 1, 100, tr(" pt"));
    PanelValues::setUpStepper(Line_alpha_Stepper, 0, 100, QStringLiteral(" %"));
    Line_border_style->addItems(BorderStyles::names());
    Line_cap_style->addItems({ tr("Flat"), tr("Round"), tr("Square") });
    Line_ori_style->addItems({ tr("Free"), tr("Horizontal"), tr("Vertical") });
    auto* form = new QFormLayout(this);
    form->addRow(tr("Co&lour:"), Line_clr);
    form->addRow(tr("&Width:"), Line_Wdt_Stepper);
    form->addRow(tr("&Style:"), Line_border_style);
    form->addRow(tr("E&nds:"), Line_cap_style);
    form->addRow(tr("O&rientation:"), Line_ori_style);
    form->addRow(tr("&Opacity:"), Line_alpha_Stepper);

    connect(Line_clr, &ColorWell::colorChosen, this, &LinePage::Update_Line_Graphics);
    for (QSpinBox* stepper : { Line_Wdt_Stepper, Line_alpha_Stepper })
        connect(stepper, &QSpinBox::valueChanged, this, &LinePage::Update_Line_Graphics);
    for (QComboBox* list : { Line_border_style, Line_cap_style, Line_ori_style })
        connect(list, &QComboBox::activated, this, &LinePage::Update_Line_Graphics);
}

void LinePage::load(const SKTGraphic& graphic)
{
    const QSignalBlocker blockWidth(Line_Wdt_Stepper);
    const QSignalBlocker blockAlpha(Line_alpha_Stepper);
    Line_Wdt_Stepper->setValue(PanelValues::truncated(graphic._strokeWidth));
    Line_clr->setColor(graphic._strokeColor);
    PanelValues::loadBorderStyle(Line_border_style, graphic._stroke_border_type);
    PanelValues::selectIndex(Line_ori_style, graphic._line_ori);
    PanelValues::selectIndex(Line_cap_style, graphic._line_cap_style);
    Line_alpha_Stepper->setValue(PanelValues::percentOf(graphic.alpha_val_stroke));
}

void LinePage::Update_Line_Graphics()
{
    host_.writeSelectedGraphics([this](SKTGraphic& graphic, qsizetype) {
        graphic._isDrawingStroke = true;
        graphic._strokeColor = Line_clr->color();
        graphic._strokeWidth = Line_Wdt_Stepper->value();
        graphic.print_object = printObjectValue(graphic);
        PanelValues::writeBorderStyle(Line_border_style, graphic);
        graphic._line_cap_style = std::max(0, Line_cap_style->currentIndex());
        graphic._line_ori = std::max(0, Line_ori_style->currentIndex());
        graphic.alpha_val_stroke = float(Line_alpha_Stepper->value()) / 100.0f;
    });
}

#include "inspector/ShapePage.h"

#include "inspector/InspectorHost.h"
#include "inspector/ObjectBorderGroup.h"
#include "inspector/ObjectFillGroup.h"
#include "inspector/PanelValues.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

ShapePage::ShapePage(InspectorHost& host, QWidget* parent)
    : ObjectPage(parent)
    , Shape_prop_title(new QLabel)
    , Shape_Border_Box(new ObjectBorderGroup)
    , Shape_Fill_Box(new ObjectFillGroup(ObjectFillGroup::Hatch::With))
    , shape_hatch_style(Shape_Fill_Box->hatch_style)
    , shape_border_style(Shape_Border_Box->border_style)
    , shape_alpha_Stepper(new QSpinBox)
    , shape_cor_radius_Label(new QLabel(tr("Corner &radius:")))
    , shape_cor_radius_Stepper(new QSpinBox)
    , double_star_Label(new QLabel(tr("&Points:")))
    , double_star_Stepper(new QSpinBox)
    , polygon_Label(new QLabel(tr("Si&des:")))
    , polygon_Stepper(new QSpinBox)
    , host_(host)
{
    QFont bold = Shape_prop_title->font();
    bold.setBold(true);
    Shape_prop_title->setFont(bold);
    PanelValues::setUpStepper(shape_alpha_Stepper, 0, 100, QStringLiteral(" %"));
    PanelValues::setUpStepper(shape_cor_radius_Stepper, 0, 100, tr(" pt"));
    // The shapes' own variant numbers: five double stars, eight polygons.
    PanelValues::setUpStepper(double_star_Stepper, 1, 5, QString());
    PanelValues::setUpStepper(polygon_Stepper, 1, 8, QString());
    shape_cor_radius_Label->setBuddy(shape_cor_radius_Stepper);
    double_star_Label->setBuddy(double_star_Stepper);
    polygon_Label->setBuddy(polygon_Stepper);
    auto* form = new QFormLayout;
    form->addRow(tr("&Opacity:"), shape_alpha_Stepper);
    form->addRow(shape_cor_radius_Label, shape_cor_radius_Stepper);
    form->addRow(double_star_Label, double_star_Stepper);
    form->addRow(polygon_Label, polygon_Stepper);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Shape_prop_title);
    layout->addWidget(Shape_Border_Box);
    layout->addWidget(Shape_Fill_Box);
    layout->addLayout(form);
    layout->addStretch(1);

    connect(Shape_Border_Box, &ObjectBorderGroup::changed, this, &ShapePage::Update_Shape_Graphics);
    connect(Shape_Fill_Box, &ObjectFillGroup::changed, this, &ShapePage::Update_Shape_Graphics);
    for (QSpinBox* stepper : { shape_alpha_Stepper, shape_cor_radius_Stepper, double_star_Stepper, polygon_Stepper })
        connect(stepper, &QSpinBox::valueChanged, this, &ShapePage::Update_Shape_Graphics);
}

QString ShapePage::titleOfShape(const QString& code)
{
    static const QHash<QString, QString> titles {
        { QStringLiteral("R"), QStringLiteral("Rectangle Properties") },
        { QStringLiteral("C"), QStringLiteral("Ellipse Properties") },
        { QStringLiteral("RR"), QStringLiteral("Rounded Rectangle Properties") },
        { QStringLiteral("T"), QStringLiteral("Triangle Properties") },
        { QStringLiteral("D"), QStringLiteral("Diamond Properties") },
        { QStringLiteral("S"), QStringLiteral("Star Properties") },
        { QStringLiteral("DS"), QStringLiteral("Double Star Properties") },
        { QStringLiteral("P"), QStringLiteral("Polygon Properties") },
    };
    return titles.value(code);
}

void ShapePage::hideExtras()
{
    for (QWidget* widget :
        { static_cast<QWidget*>(shape_cor_radius_Label), static_cast<QWidget*>(shape_cor_radius_Stepper),
            static_cast<QWidget*>(double_star_Label), static_cast<QWidget*>(double_star_Stepper),
            static_cast<QWidget*>(polygon_Label), static_cast<QWidget*>(polygon_Stepper) })
        widget->setVisible(false);
}

void ShapePage::showExtrasOf(const QString& code)
{
    if (code == QLatin1String("RR")) {
        shape_cor_radius_Label->setVisible(true);
        shape_cor_radius_Stepper->setVisible(true);
    } else if (code == QLatin1String("DS")) {
        double_star_Label->setVisible(true);
        double_star_Stepper->setVisible(true);
    } else if (code == QLatin1String("P")) {
        polygon_Label->setVisible(true);
        polygon_Stepper->setVisible(true);
    }
}

void ShapePage::load(const SKTGraphic& graphic)
{
    const QSignalBlocker blockAlpha(shape_alpha_Stepper);
    const QSignalBlocker blockRadius(shape_cor_radius_Stepper);
    const QSignalBlocker blockStar(double_star_Stepper);
    const QSignalBlocker blockPolygon(polygon_Stepper);
    Shape_Border_Box->load(graphic);
    Shape_Fill_Box->load(graphic);
    shape_alpha_Stepper->setValue(PanelValues::percentOf(graphic.alpha_val));
    shape_cor_radius_Stepper->setValue(PanelValues::truncated(graphic.cor_rad_val_val));
    double_star_Stepper->setValue(graphic.double_star_type);
    polygon_Stepper->setValue(graphic.polygon_type);
}

void ShapePage::Update_Shape_Graphics()
{
    host_.writeSelectedGraphics([this](SKTGraphic& graphic, qsizetype) {
        Shape_Border_Box->writeTo(graphic);
        Shape_Fill_Box->writeTo(graphic);
        graphic.alpha_val = float(shape_alpha_Stepper->value()) / 100.0f;
        graphic.cor_rad_val_val = float(shape_cor_radius_Stepper->value());
        graphic.double_star_type = double_star_Stepper->value();
        graphic.polygon_type = polygon_Stepper->value();
        graphic.print_object = printObjectValue(graphic);
    });
}

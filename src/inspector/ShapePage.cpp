#include "inspector/ShapePage.h"

#include "inspector/BorderStyles.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

ShapePage::ShapePage(QWidget* parent)
    : ObjectPage(parent)
    , Shape_prop_title(new QLabel)
    , shape_hatch_style(new QComboBox)
    , shape_border_style(new QComboBox)
    , shape_cor_radius_Label(new QLabel(tr("Corner &radius:")))
    , shape_cor_radius_Stepper(new QSpinBox)
    , double_star_Label(new QLabel(tr("&Points:")))
    , double_star_Stepper(new QSpinBox)
    , polygon_Label(new QLabel(tr("&Sides:")))
    , polygon_Stepper(new QSpinBox)
{
    QFont bold = Shape_prop_title->font();
    bold.setBold(true);
    Shape_prop_title->setFont(bold);
    shape_border_style->addItems(BorderStyles::names());
    shape_cor_radius_Label->setBuddy(shape_cor_radius_Stepper);
    double_star_Label->setBuddy(double_star_Stepper);
    polygon_Label->setBuddy(polygon_Stepper);
    auto* form = new QFormLayout(this);
    form->addRow(Shape_prop_title);
    form->addRow(tr("&Hatch:"), shape_hatch_style);
    form->addRow(tr("&Border style:"), shape_border_style);
    form->addRow(shape_cor_radius_Label, shape_cor_radius_Stepper);
    form->addRow(double_star_Label, double_star_Stepper);
    form->addRow(polygon_Label, polygon_Stepper);
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

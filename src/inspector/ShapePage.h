#pragma once

#include "inspector/ObjectPage.h"

class InspectorHost;
class ObjectBorderGroup;
class ObjectFillGroup;
class QComboBox;
class QLabel;
class QSpinBox;

// The page of a shape: its title names the shape; border, fill and opacity; the corner
// radius, double-star and polygon controls show only for the shapes that have them.
class ShapePage : public ObjectPage
{
    Q_OBJECT

public:
    explicit ShapePage(InspectorHost& host, QWidget* parent = nullptr);

    // The title and tab label of a shape code; "" for a code outside the eight shapes.
    static QString titleOfShape(const QString& code);
    // Hides all nine extra controls.
    void hideExtras();
    // Shows the three extra controls that belong to the shape code, if any.
    void showExtrasOf(const QString& code);
    void load(const SKTGraphic& graphic) override;

    // Writes the page into every selected object, whatever its kind.
    void Update_Shape_Graphics();

    QLabel* Shape_prop_title = nullptr;
    ObjectBorderGroup* Shape_Border_Box = nullptr;
    ObjectFillGroup* Shape_Fill_Box = nullptr;
    QComboBox* shape_hatch_style = nullptr; // in the fill group
    QComboBox* shape_border_style = nullptr; // in the border group
    QSpinBox* shape_alpha_Stepper = nullptr;
    QLabel* shape_cor_radius_Label = nullptr;
    QSpinBox* shape_cor_radius_Stepper = nullptr; // the stepper and its text in one field
    QLabel* double_star_Label = nullptr;
    QSpinBox* double_star_Stepper = nullptr;
    QLabel* polygon_Label = nullptr;
    QSpinBox* polygon_Stepper = nullptr;

private:
    InspectorHost& host_;
};

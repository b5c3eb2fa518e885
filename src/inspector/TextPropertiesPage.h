#pragma once

#include "inspector/ObjectPage.h"

class ObjectBorderGroup;
class ObjectFillGroup;
class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

// The page of a text object's look: border, fill, opacity, letter spacing, alignment, case,
// and the date and time formats of the text page's inserts.
class TextPropertiesPage : public ObjectPage
{
    Q_OBJECT

public:
    explicit TextPropertiesPage(QWidget* parent = nullptr);

    // Sets the fixed lists to their start-up items.
    void fillFixedLists();
    void load(const SKTGraphic& graphic) override;

    ObjectBorderGroup* Text_Border_Box = nullptr;
    ObjectFillGroup* Text_Fill_Box = nullptr;
    QSpinBox* Text_alpha_Stepper = nullptr;
    QDoubleSpinBox* Text_Kern_Stepper = nullptr;
    QComboBox* Text_align_combo = nullptr;
    QComboBox* Text_case_combo = nullptr;
    QComboBox* Text_Date_style = nullptr;
    QComboBox* Text_Time_style = nullptr;

signals:
    // The user changed a control that the text objects take.
    void changed();
};

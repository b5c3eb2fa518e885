#pragma once

#include "inspector/ObjectPage.h"

class ColorWell;
class InspectorHost;
class QComboBox;
class QSpinBox;

// The page of a line: colour, width, dash style, ends, orientation and opacity.
class LinePage : public ObjectPage
{
    Q_OBJECT

public:
    explicit LinePage(InspectorHost& host, QWidget* parent = nullptr);

    void load(const SKTGraphic& graphic) override;
    // Writes the page into every selected object; a line always draws its stroke.
    void Update_Line_Graphics();

    ColorWell* Line_clr = nullptr;
    QSpinBox* Line_Wdt_Stepper = nullptr;
    QComboBox* Line_border_style = nullptr;
    QComboBox* Line_cap_style = nullptr;
    QComboBox* Line_ori_style = nullptr;
    QSpinBox* Line_alpha_Stepper = nullptr;

private:
    InspectorHost& host_;
};

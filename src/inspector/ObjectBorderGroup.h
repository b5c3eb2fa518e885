#pragma once

#include <QWidget>

class ColorWell;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QSpinBox;
class SKTGraphic;

// The border of a text, shape, image or signature: a check box, and a group that follows
// it with the colour, the width in points and the dash style.
class ObjectBorderGroup : public QWidget
{
    Q_OBJECT

public:
    explicit ObjectBorderGroup(QWidget* parent = nullptr);

    // Shows the object's border; announces nothing.
    void load(const SKTGraphic& graphic);
    // Border off keeps the object's colour and width; a style outside the list keeps its style.
    void writeTo(SKTGraphic& graphic) const;
    void enableBox();

    QCheckBox* border_chk = nullptr;
    QGroupBox* Border_Box = nullptr;
    ColorWell* bordr_clr = nullptr;
    QSpinBox* bor_Stepper = nullptr; // the stepper and its text field in one control
    QComboBox* border_style = nullptr;

signals:
    // The user changed one of the controls.
    void changed();
};

#pragma once

#include <QWidget>

class ColorWell;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QRadioButton;
class QSpinBox;
class SKTGraphic;

// The fill of a shape or a text object: a check box, and a group that follows it with a
// solid colour, a gradient of two colours at an angle and, for shapes, a hatch pattern
// over a background colour.
class ObjectFillGroup : public QWidget
{
    Q_OBJECT

public:
    enum class Hatch
    {
        Without,
        With
    };
    explicit ObjectFillGroup(Hatch hatch, QWidget* parent = nullptr);

    // Shows the object's fill; announces nothing.
    void load(const SKTGraphic& graphic);
    void writeTo(SKTGraphic& graphic) const;
    // The group as the check box says, and inside it the controls of the chosen radio.
    void enableControls();
    // "S", "G" or "H" as the radio buttons say.
    QString chosenType() const;

    QCheckBox* fill_chk = nullptr;
    QGroupBox* Fill_Box = nullptr;
    QRadioButton* solid_fill_rd = nullptr;
    QRadioButton* gradient_fill_rd = nullptr;
    QRadioButton* Style_fill_rd = nullptr; // hatch; shapes only
    ColorWell* fill_clr = nullptr;
    ColorWell* fill_Grd_1_clr = nullptr;
    ColorWell* fill_Grd_2_clr = nullptr;
    QSpinBox* grad_Stepper = nullptr;
    QComboBox* hatch_style = nullptr; // shapes only
    ColorWell* hatch_bk_clr = nullptr; // shapes only

signals:
    // The user changed one of the controls.
    void changed();

private:
    const bool withHatch_;
    QButtonGroup* radios_ = nullptr;
};

#pragma once

#include <QWidget>

class Card_Property;
class ColorWell;
class InspectorHost;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

// The card's fill: solid colour, gradient, hatch pattern or picture, and its opacity.
class CardBackgroundPage : public QWidget
{
    Q_OBJECT

public:
    explicit CardBackgroundPage(InspectorHost& host, QWidget* parent = nullptr);

    void load(const Card_Property& card);
    void writeTo(Card_Property& card, bool frontSide) const;
    // Sets the radio buttons for a fill style code ("S", "G", "H", "I") and enables the
    // controls that belong to it; writes nothing.
    void card_prop_set(const QString& fillStyle);
    // The fill style code that the radio buttons show.
    QString selectedFillStyle() const;
    // The hatch patterns offered (file stems), first one chosen.
    void setHatchNames(const QStringList& names);

    QCheckBox* Card_fill_chk = nullptr;
    QGroupBox* Card_Fill_Box = nullptr;
    QRadioButton* Card_solid_fill_rd = nullptr;
    QRadioButton* Card_gradient_fill_rd = nullptr;
    QRadioButton* Card_Style_fill_rd = nullptr;
    QRadioButton* Card_Image_fill_rd = nullptr;
    ColorWell* Card_fill_clr = nullptr;
    ColorWell* Card_fill_Grd_1_clr = nullptr;
    ColorWell* Card_fill_Grd_2_clr = nullptr;
    QSpinBox* Card_grad_Stepper = nullptr; // the stepper and its text field in one control
    QComboBox* Card_hatch_style = nullptr;
    ColorWell* Card_hatch_bk_clr = nullptr;
    QGroupBox* Card_image_box = nullptr;
    QLineEdit* Card_Image_path = nullptr;
    QComboBox* Card_image_layout = nullptr;
    QSpinBox* Card_alpha_Stepper = nullptr; // percent, 100 opaque

private:
    void styleChosen(const QString& fillStyle);

    InspectorHost& host_;
};

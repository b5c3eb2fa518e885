#pragma once

#include <QWidget>

class Card_Property;
class ColorWell;
class InspectorHost;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QSpinBox;

// The card's border: on or off, colour, width in points and dash style.
class CardBorderPage : public QWidget
{
    Q_OBJECT

public:
    explicit CardBorderPage(InspectorHost& host, QWidget* parent = nullptr);

    void load(const Card_Property& card);
    void writeTo(Card_Property& card) const;
    // Enables the border group as the check box says.
    void enableBorderBox();

    QCheckBox* Card_border_chk = nullptr;
    QGroupBox* Card_Border_Box = nullptr;
    ColorWell* Card_bordr_clr = nullptr;
    QSpinBox* Card_bor_Stepper = nullptr; // the stepper and its text field in one control
    QComboBox* Card_border_style = nullptr;

private:
    InspectorHost& host_;
};

#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

#include <optional>

class Card_Property;
class ColorWell;
class InspectorHost;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class StepperSpinBox;

// The card itself: name, sides, orientation, category and size preset, size in
// millimetres, outline shape, and the colour and font of the card's text.
class CardSettingsPage : public QWidget
{
    Q_OBJECT

public:
    explicit CardSettingsPage(InspectorHost& host, QWidget* parent = nullptr);

    // Fills the controls from the side's settings and takes the snapshots of the content
    // colour and font that later changes are compared with.
    void load(const Card_Property& card, int cardShape);
    void writeTo(Card_Property& card) const;
    // The content font and colour a new project starts with; the snapshots are emptied.
    void resetContent(const QFont& font, const QColor& color);
    void setContentFont(const QFont& font);
    // "Family ( size )", naming the face the font is drawn in.
    static QString fontLabel(const QFont& font);
    // What Font… changes and opens at: the texts' font as they show it (the selected text's,
    // else the side's first text's), or the card's content font when the side has no text.
    QFont textFont() const;

    QLineEdit* card_name = nullptr;
    QComboBox* Sides_ComboBox = nullptr;
    QComboBox* Preset_ComboBox = nullptr;
    QComboBox* Category_ComboBox = nullptr;
    QListWidget* ColList = nullptr;
    StepperSpinBox* width_Text = nullptr; // millimetres; the stepper and its text in one
    StepperSpinBox* height_Text = nullptr;
    QButtonGroup* matrix_card_shape = nullptr; // 0 rectangle, 1 rounded, 2 ellipse
    ColorWell* All_Text_clr = nullptr;
    QLabel* All_Text_font_value = nullptr;
    QFont All_Text_font;
    std::optional<QFont> All_Text_font_COPY;
    QColor All_Text_clr_COPY;

private:
    void chooseFont();
    void showTextFont();

    InspectorHost& host_;
};

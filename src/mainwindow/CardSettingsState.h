#pragma once

#include "model/Card_Property.h"
#include "model/SKTGraphic.h"

#include <QColor>
#include <QFont>
#include <QList>

#include <optional>
#include <vector>

// What a change on the card's pages may alter besides the card's size and shape: both
// sides' settings, the colour and font of each text on the side (the card's text colour and
// font rewrite them all), and the colour and font that new texts take. Undo puts back
// exactly this.
class CardSettingsState
{
public:
    // Copies of the records and of each text's own colour and font among the side's objects.
    static CardSettingsState of(const Card_Property& front, const Card_Property& back,
        const QList<SKTGraphicPtr>& sideGraphics);
    // Writes the values taken back into the records, the texts and the new-text defaults.
    void restore(Card_Property& front, Card_Property& back) const;

    bool operator==(const CardSettingsState& other) const;

private:
    struct TextLook
    {
        SKTGraphicPtr text;
        QColor color;
        std::optional<QFont> font;

        bool operator==(const TextLook&) const = default;
    };

    Card_PropertyPtr front_;
    Card_PropertyPtr back_;
    std::vector<TextLook> texts_;
    QFont newTextFont_;
    QColor newTextColor_;
};

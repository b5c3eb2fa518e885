#include "mainwindow/CardSettingsState.h"

#include "canvas/GraphicKind.h"
#include "model/ModelDefaults.h"

CardSettingsState CardSettingsState::of(
    const Card_Property& front, const Card_Property& back, const QList<SKTGraphicPtr>& sideGraphics)
{
    CardSettingsState taken;
    taken.front_ = front.copy();
    taken.back_ = back.copy();
    for (const SKTGraphicPtr& graphic : sideGraphics) {
        if (isExactlyKind(*graphic, GraphicKind::Text))
            taken.texts_.push_back({ graphic, graphic->txt_clr, graphic->text_ctrl_font });
    }
    taken.newTextFont_ = All_Text_font_Default;
    taken.newTextColor_ = All_Text_clr_Default;
    return taken;
}

void CardSettingsState::restore(Card_Property& front, Card_Property& back) const
{
    front = *front_;
    back = *back_;
    for (const TextLook& look : texts_) {
        look.text->txt_clr = look.color;
        look.text->text_ctrl_font = look.font;
    }
    All_Text_font_Default = newTextFont_;
    All_Text_clr_Default = newTextColor_;
}

bool CardSettingsState::operator==(const CardSettingsState& other) const
{
    return *front_ == *other.front_ && *back_ == *other.back_ && texts_ == other.texts_
        && newTextFont_ == other.newTextFont_ && newTextColor_ == other.newTextColor_;
}

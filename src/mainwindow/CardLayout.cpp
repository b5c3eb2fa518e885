#include "mainwindow/CardLayout.h"

#include "model/Card_Property.h"

CardLayout::Side CardLayout::Side::of(const Card_Property& card)
{
    return { card.Card_Shape, card.Card_Location, card.Card_Size, card.Card_Preset, card.Card_Category,
        card.Card_Sub_Category, card.Card_Cat_index };
}

void CardLayout::Side::writeTo(Card_Property& card) const
{
    card.Card_Shape = shape;
    card.Card_Location = location;
    card.Card_Size = size;
    card.Card_Preset = preset;
    card.Card_Category = category;
    card.Card_Sub_Category = subCategory;
    card.Card_Cat_index = presetRow;
}

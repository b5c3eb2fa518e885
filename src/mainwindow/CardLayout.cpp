#include "mainwindow/CardLayout.h"

#include "model/Card_Property.h"

#include <QCoreApplication>

#include <algorithm>

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

QString CardLayout::changeName(const CardLayout& after) const
{
    if (shape != after.shape && canvasPoints == after.canvasPoints)
        return QCoreApplication::translate("CardLayout", "Card Shape");
    if (front.preset != after.front.preset && canvasPoints.transposed() == after.canvasPoints)
        return QCoreApplication::translate("CardLayout", "Orientation");
    return QCoreApplication::translate("CardLayout", "Card Size");
}

// Compared edge by edge: a line's box has no width or height, which QRectF counts as empty.
int countReachingPastCard(const QSizeF& cardSize, const QList<QRectF>& boxes)
{
    return int(std::count_if(boxes.cbegin(), boxes.cend(), [&](const QRectF& box) {
        const QRectF b = box.normalized();
        return b.left() < 0 || b.top() < 0 || b.right() > cardSize.width() || b.bottom() > cardSize.height();
    }));
}

int countWhollyOffCard(const QSizeF& cardSize, const QList<QRectF>& boxes)
{
    return int(std::count_if(boxes.cbegin(), boxes.cend(), [&](const QRectF& box) {
        const QRectF b = box.normalized();
        return b.right() < 0 || b.bottom() < 0 || b.left() > cardSize.width() || b.top() > cardSize.height();
    }));
}

#pragma once

#include <QPointF>
#include <QSizeF>
#include <QString>

class Card_Property;

// What a change of the card's size or shape alters: the canvas size, the shape, and each
// side's record of size, preset and shape. Undo puts back these and nothing else, so a
// later change to another card setting stays.
struct CardLayout
{
    struct Side
    {
        QString shape;
        QPointF location;
        QSizeF size;
        QString preset;
        QString category;
        QString subCategory;
        int presetRow = -1;

        static Side of(const Card_Property& card);
        void writeTo(Card_Property& card) const;
        bool operator==(const Side&) const = default;
    };

    QSizeF canvasPoints;
    int shape = 0;
    Side front;
    Side back;

    bool operator==(const CardLayout&) const = default;
};

#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
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

    // The name of the undo step that goes from this layout to another: "Card Shape", "Orientation"
    // (the card turned) or "Card Size".
    QString changeName(const CardLayout& after) const;
};

// How many of the boxes reach past the card's edge, or lie wholly off the card; the card spans
// cardSize from the origin.
int countReachingPastCard(const QSizeF& cardSize, const QList<QRectF>& boxes);
int countWhollyOffCard(const QSizeF& cardSize, const QList<QRectF>& boxes);

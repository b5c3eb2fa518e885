#pragma once

#include <QRectF>
#include <QString>

#include <functional>
#include <vector>

// The party details a new invitation is built with.
struct PartyDetails
{
    QString title, to, message, from, venue, date, time;
};

// One text object to place on the front: its control identifier, text and rectangle in
// card points (origin at the top left).
struct PartyText
{
    QString controlID;
    QString text;
    QRectF rect;
};

// The party texts and the one font size they are laid out in.
struct PartyLayout
{
    std::vector<PartyText> texts;
    double pointSize = 0.0;
};

// The size a text needs when laid out at most `width` points wide in the party font at
// `pointSize`.
using PartyTextMeasure = std::function<QSizeF(const QString& text, double width, double pointSize)>;

// The front's party texts in placing order, inside a card of `cardSize` points: title, guest
// and message across the card, then host and venue with date and time in a column beside
// them (one column under the other where two do not fit). The font shrinks from
// `largestPointSize` until every text fits its box and the boxes fit the card without
// overlapping. An empty detail gets no text and takes no room.
PartyLayout partyTextLayout(
    const PartyDetails& details, const QSizeF& cardSize, double largestPointSize, const PartyTextMeasure& measure);

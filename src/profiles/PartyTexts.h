#pragma once

#include <QRectF>
#include <QString>

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

// The front's party texts in placing order, two columns from (20, 20): title, guest and
// message down the left, then host and venue on the left and date and time beside them.
// An empty detail gets no text and moves nothing.
std::vector<PartyText> partyTextLayout(const PartyDetails& details);

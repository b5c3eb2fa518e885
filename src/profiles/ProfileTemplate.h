#pragma once

#include "profiles/User_Profile_Class.h"

#include <QRectF>
#include <QSizeF>

// Where a profile field that is not yet on a card goes. The placeholders are laid out on a
// landscape box of 252 x 144 points and a portrait box of 144 x 252 points (origin at the
// top left, y downwards) and stretched to the card, so they land on any card size.
namespace ProfileTemplate {

inline constexpr QSizeF landscapeBox { 252.0, 144.0 };
inline constexpr QSizeF portraitBox { 144.0, 252.0 };

// The placeholder of a field in its box: landscape or portrait.
QRectF placeholder(User_Profile_Class::Field field, bool landscape);

// The rectangle, in card points, of the field whose control identifier is given, on a card
// of that size: the landscape set when the card is at least as wide as it is high. An
// identifier that is no profile field, or an empty card, gives the zero rectangle (the
// canvas then creates no object).
QRectF Get_Control_Rect_From_Template(const QString& controlID, const QSizeF& cardSize);

// A placed field's rectangle grown to hold text of the size needed: wider and taller where
// needed, moved left and up rather than past the card's edges, never larger than the card.
QRectF grownToHold(const QRectF& rect, const QSizeF& needed, const QSizeF& cardSize);

} // namespace ProfileTemplate

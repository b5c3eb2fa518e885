#include "profiles/ProfileTemplate.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace ProfileTemplate {

namespace {

using Field = User_Profile_Class::Field;

// Photo to the left of the name block, contact lines below.
constexpr QRectF landscapeFrames[User_Profile_Class::FieldCount] = {
    { 80, 12, 160, 18 }, // name
    { 80, 32, 160, 14 }, // title
    { 80, 48, 160, 14 }, // company name
    { 80, 64, 160, 14 }, // slogan
    { 80, 84, 160, 14 }, // address
    { 12, 102, 110, 14 }, // phone
    { 130, 102, 110, 14 }, // fax
    { 12, 120, 110, 14 }, // e-mail
    { 130, 120, 110, 14 }, // website
    { 12, 84, 56, 14 }, // unique number
    { 12, 12, 56, 68 }, // photo
};

// Photo centred at the top, one line per field below it.
constexpr QRectF portraitFrames[User_Profile_Class::FieldCount] = {
    { 12, 90, 120, 18 }, // name
    { 12, 110, 120, 14 }, // title
    { 12, 126, 120, 14 }, // company name
    { 12, 142, 120, 14 }, // slogan
    { 12, 158, 120, 14 }, // address
    { 12, 174, 120, 14 }, // phone
    { 12, 190, 120, 14 }, // fax
    { 12, 206, 120, 14 }, // e-mail
    { 12, 222, 120, 14 }, // website
    { 12, 238, 120, 12 }, // unique number
    { 42, 12, 60, 72 }, // photo
};

} // namespace

QRectF placeholder(Field field, bool landscape)
{
    return landscape ? landscapeFrames[field] : portraitFrames[field];
}

QRectF Get_Control_Rect_From_Template(const QString& controlID, const QSizeF& cardSize)
{
    if (cardSize.width() <= 0 || cardSize.height() <= 0)
        return {};
    for (int i = 0; i < User_Profile_Class::FieldCount; ++i) {
        if (User_Profile_Class::controlID(Field(i)) != controlID)
            continue;
        const bool landscape = cardSize.width() >= cardSize.height();
        const QSizeF box = landscape ? landscapeBox : portraitBox;
        const QRectF frame = placeholder(Field(i), landscape);
        const double sx = cardSize.width() / box.width();
        const double sy = cardSize.height() / box.height();
        return { frame.x() * sx, frame.y() * sy, frame.width() * sx, frame.height() * sy };
    }
    return {};
}

QRectF grownToHold(const QRectF& rect, const QSizeF& needed, const QSizeF& cardSize)
{
    // Rounded up; a line as wide as its box could break, so the width has a point to spare.
    const auto grown = [](double start, double length, double need, double card, double spare) {
        const double wanted = std::max(length, std::ceil(need) + spare);
        const double size = card > 0 ? std::min(wanted, card) : wanted;
        const double origin = card > 0 ? std::clamp(start, 0.0, std::max(0.0, card - size)) : start;
        return std::pair(origin, size);
    };
    const auto [x, width] = grown(rect.x(), rect.width(), needed.width(), cardSize.width(), 1.0);
    const auto [y, height] = grown(rect.y(), rect.height(), needed.height(), cardSize.height(), 0.0);
    return { x, y, width, height };
}

} // namespace ProfileTemplate

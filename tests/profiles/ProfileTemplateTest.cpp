#include "profiles/ProfileTemplate.h"

#include <gtest/gtest.h>

using Field = User_Profile_Class::Field;
using ProfileTemplate::Get_Control_Rect_From_Template;

namespace {

QRectF rectOf(Field field, const QSizeF& card)
{
    return Get_Control_Rect_From_Template(User_Profile_Class::controlID(field), card);
}

} // namespace

TEST(ProfileTemplate, EveryFieldOnTheTemplatesOwnSizesInBothOrientations)
{
    const QRectF landscape[] = { { 80, 12, 160, 18 }, { 80, 32, 160, 14 }, { 80, 48, 160, 14 }, { 80, 64, 160, 14 },
        { 80, 84, 160, 14 }, { 12, 102, 110, 14 }, { 130, 102, 110, 14 }, { 12, 120, 110, 14 }, { 130, 120, 110, 14 },
        { 12, 84, 56, 14 }, { 12, 12, 56, 68 } };
    const QRectF portrait[] = { { 12, 90, 120, 18 }, { 12, 110, 120, 14 }, { 12, 126, 120, 14 }, { 12, 142, 120, 14 },
        { 12, 158, 120, 14 }, { 12, 174, 120, 14 }, { 12, 190, 120, 14 }, { 12, 206, 120, 14 }, { 12, 222, 120, 14 },
        { 12, 238, 120, 12 }, { 42, 12, 60, 72 } };
    for (int i = 0; i < User_Profile_Class::FieldCount; ++i) {
        EXPECT_EQ(rectOf(Field(i), { 252, 144 }), landscape[i]) << i;
        EXPECT_EQ(rectOf(Field(i), { 144, 252 }), portrait[i]) << i;
    }
}

TEST(ProfileTemplate, FieldsAreStretchedOntoTheCardAndStayOnIt)
{
    // A square card counts as landscape; a small portrait badge keeps every field on it.
    EXPECT_EQ(rectOf(Field::Name, { 504, 504 }), QRectF(160, 42, 320, 63));
    EXPECT_EQ(rectOf(Field::image, { 72, 126 }), QRectF(21, 6, 30, 36));
    for (const QSizeF card : { QSizeF(243, 153), QSizeF(153, 243), QSizeF(60, 500), QSizeF(800, 90) }) {
        for (int i = 0; i < User_Profile_Class::FieldCount; ++i) {
            const QRectF rect = rectOf(Field(i), card);
            EXPECT_FALSE(rect.isEmpty());
            EXPECT_TRUE(QRectF(QPointF(), card).contains(rect)) << i << " on " << card.width() << "x" << card.height();
        }
    }
}

TEST(ProfileTemplate, UnknownIdentifiersAndEmptyCardsGiveTheZeroRectangle)
{
    EXPECT_EQ(Get_Control_Rect_From_Template(QStringLiteral("Fup_lbl_Name"), { 252, 144 }), QRectF());
    EXPECT_EQ(Get_Control_Rect_From_Template(QStringLiteral("fup_name"), { 252, 144 }), QRectF());
    EXPECT_EQ(Get_Control_Rect_From_Template(QString(), { 252, 144 }), QRectF());
    EXPECT_EQ(rectOf(Field::Name, { 0, 0 }), QRectF());
}

TEST(ProfileTemplate, APlacedFieldGrowsToItsValuesAndStaysOnTheCard)
{
    using ProfileTemplate::grownToHold;
    const QSizeF card(243, 153);
    const QRectF unique(12, 84, 54, 14);
    // Room enough already: unchanged.
    EXPECT_EQ(grownToHold(unique, { 40.2, 13.8 }, card), unique);
    // An id wider than the box: wider, rounded up with a point to spare, same place.
    EXPECT_EQ(grownToHold(unique, { 57.4, 13.8 }, card), QRectF(12, 84, 59, 14));
    // Near the right edge it moves left rather than off the card.
    EXPECT_EQ(grownToHold(QRectF(200, 84, 30, 14), { 60, 13.8 }, card), QRectF(182, 84, 61, 14));
    // Two lines need the height of two.
    EXPECT_EQ(grownToHold(unique, { 30, 27.6 }, card), QRectF(12, 84, 54, 28));
    // Never larger than the card: what still does not fit is named by the runs.
    EXPECT_EQ(grownToHold(unique, { 900, 13.8 }, card), QRectF(0, 84, 243, 14));
}

// A text fits only where every glyph's ink lies inside its box and inside the card's outline:
// past the card's edge, in a rounded corner or beyond an elliptic card's curve, ink is lost.
#include "model/CardEdge.h"
#include "model/SKTText.h"

#include <gtest/gtest.h>

namespace {

// A CR80 card, 85.6 by 54.1 mm, in points.
const QRectF cr80(0, 0, 242.6, 153.4);
constexpr int rectangle = 0;
constexpr int rounded = 1;
constexpr int ellipse = 2;
constexpr int rightAligned = 1;

std::shared_ptr<SKTText> textIn(const QRectF& box, const QString& value, int alignment = 0)
{
    auto text = SKTGraphic::create<SKTText>();
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(12);
    text->text_ctrl_font = font;
    text->text_alignmnet = alignment;
    text->setBounds(box);
    text->Text_contents()->setString(value);
    return text;
}

bool fitsOn(int cardShape, const QRectF& box, const QString& value, int alignment = 0)
{
    return textIn(box, value, alignment)->textFitsBounds(CardEdge(cr80, cardShape));
}

} // namespace

// A name box reaching 15 mm past the card's right or left edge: only the names whose ink
// crosses the edge are cut, whatever the box does.
TEST(TextOnTheCard, InkPastTheCardsEdgeDoesNotFitThoughItsBoxHoldsIt)
{
    const QRectF pastRight(170, 20, 115, 20);
    EXPECT_TRUE(fitsOn(rectangle, pastRight, QStringLiteral("Bo")));
    EXPECT_FALSE(fitsOn(rectangle, pastRight, QStringLiteral("Łukasz Schröder")));
    EXPECT_TRUE(fitsOn(rectangle, pastRight.translated(-150, 0), QStringLiteral("Łukasz Schröder")));

    const QRectF pastLeft(-42.5, 100, 115, 20);
    EXPECT_FALSE(fitsOn(rectangle, pastLeft, QStringLiteral("Łukasz Schröder")));
    EXPECT_TRUE(fitsOn(rectangle, pastLeft, QStringLiteral("Ann"), rightAligned));

    // Ink flush with the edge is whole.
    const QSizeF bo = textIn(cr80, QString())->drawnSizeOf(QStringLiteral("Bo"));
    EXPECT_TRUE(fitsOn(rectangle, QRectF(cr80.right() - bo.width() - 1, 30, bo.width() + 1, 20), QStringLiteral("Bo"),
        rightAligned));
}

TEST(TextOnTheCard, AnEllipseCutsWhatItsRectangleHolds)
{
    // Within the card's rectangle, near its top right, where the ellipse has curved away.
    const QRectF nearTheTop(130, 12, 110, 20);
    EXPECT_TRUE(fitsOn(rectangle, nearTheTop, QStringLiteral("Jürgen Šimůnek")));
    EXPECT_FALSE(fitsOn(ellipse, nearTheTop, QStringLiteral("Jürgen Šimůnek")));

    // Level with the centre the ellipse reaches almost to the rectangle's edge: ink close to
    // it fits, though it lies outside the rectangle inscribed in the ellipse.
    const QRectF besideTheCentre(120, 68, 118, 18);
    EXPECT_TRUE(fitsOn(ellipse, besideTheCentre, QStringLiteral("Jürgen Šimůnek"), rightAligned));
}

TEST(TextOnTheCard, ARoundedCornerCutsATypedTextThatFitsItsBox)
{
    const QRectF inTheCorner(0.5, 0.5, 80, 16);
    EXPECT_TRUE(fitsOn(rectangle, inTheCorner, QStringLiteral("Wendy")));
    EXPECT_FALSE(fitsOn(rounded, inTheCorner, QStringLiteral("Wendy")));
    // The corner cuts the box of an "A" but not its slanting stroke.
    EXPECT_TRUE(fitsOn(rounded, inTheCorner, QStringLiteral("Ada")));
    // Away from the corner the same text is whole on the rounded card.
    EXPECT_TRUE(fitsOn(rounded, inTheCorner.translated(12, 0), QStringLiteral("Wendy")));
    EXPECT_TRUE(fitsOn(rounded, inTheCorner.translated(0, 12), QStringLiteral("Wendy")));
}

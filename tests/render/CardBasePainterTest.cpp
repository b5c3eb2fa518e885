#include "render/CardBasePainter.h"

#include "model/Card_Property.h"
#include "support/TempResources.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

// The base of a 200 x 100 card on a grey background, so that the white outline shows.
QImage base(const Card_Property& side, int cardShape, double scale = 1.0)
{
    QImage image(int(200 * scale), int(100 * scale), QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    image.fill(QColor(128, 128, 128));
    QPainter painter(&image);
    painter.scale(scale, scale);
    const QRectF card(0, 0, 200, 100);
    CardBasePainter::Card_Base_Drawing(painter, card, side, cardShape, card);
    return image;
}

bool isWhite(QRgb pixel)
{
    return qRed(pixel) > 250 && qGreen(pixel) > 250 && qBlue(pixel) > 250;
}

bool isGrey(QRgb pixel)
{
    return std::abs(qGray(pixel) - 128) < 3;
}

QImage redGreenPicture()
{
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.setDotsPerMeterX(2835); // 72 dpi: a tile is 10 points
    picture.setDotsPerMeterY(2835);
    picture.fill(Qt::red);
    QPainter(&picture).fillRect(5, 0, 5, 10, Qt::green);
    return picture;
}

} // namespace

TEST(CardBasePainterTest, WithoutFillAndBorderOnlyTheWhiteOutlineShows)
{
    auto side = Card_Property::create();
    const QImage image = base(*side, 0);
    EXPECT_TRUE(isWhite(image.pixel(0, 0)));
    EXPECT_TRUE(isWhite(image.pixel(199, 99)));
    EXPECT_TRUE(isWhite(image.pixel(100, 50)));
}

TEST(CardBasePainterTest, ShapeChoosesTheOutline)
{
    auto side = Card_Property::create();
    // Rounded corners of radius 10 at any card size.
    QImage rounded = base(*side, 1);
    EXPECT_TRUE(isGrey(rounded.pixel(1, 1)));
    EXPECT_TRUE(isWhite(rounded.pixel(5, 5)));
    EXPECT_TRUE(isWhite(rounded.pixel(10, 0)));
    const QImage ellipse = base(*side, 2);
    EXPECT_TRUE(isGrey(ellipse.pixel(10, 10)));
    EXPECT_TRUE(isWhite(ellipse.pixel(100, 2)));
    for (const int other : {0, 3, -1}) {
        const QImage rect = base(*side, other);
        EXPECT_TRUE(isWhite(rect.pixel(0, 0))) << other;
    }
}

TEST(CardBasePainterTest, FillStyles)
{
    auto side = Card_Property::create();
    side->Card_fill_chk = true;
    side->Card_fill_clr = QColor(0, 0, 255, 128); // the panel stores the opacity in the colour
    QImage image = base(*side, 0);
    EXPECT_EQ(qBlue(image.pixel(50, 50)), 255);
    EXPECT_NEAR(qRed(image.pixel(50, 50)), 127, 2);

    side->Card_fill_style = QStringLiteral("G");
    side->Card_fill_Grd_1_clr = QColor(Qt::black);
    side->Card_fill_Grd_2_clr = QColor(Qt::white);
    side->Card_grad_Stepper = 90;
    image = base(*side, 0);
    EXPECT_LT(qGray(image.pixel(100, 1)), 10);
    EXPECT_GT(qGray(image.pixel(100, 98)), 245);

    // A hatch whose picture is missing leaves its background colour.
    TempResources resources;
    side->Card_fill_style = QStringLiteral("H");
    side->Card_hatch_bk_clr = QColor(Qt::yellow);
    side->Card_hatch_style = QStringLiteral("missing");
    image = base(*side, 0);
    EXPECT_EQ(image.pixel(100, 50), qRgb(255, 255, 0));
}

TEST(CardBasePainterTest, BackgroundPictureTiledOrStretched)
{
    auto side = Card_Property::create();
    side->Card_fill_chk = true;
    side->Card_fill_style = QStringLiteral("I");
    // No picture: the white outline only.
    EXPECT_TRUE(isWhite(base(*side, 0).pixel(50, 50)));

    side->Card_BG_Image = redGreenPicture();
    side->Card_BG_Image_Layout = QStringLiteral("Tile");
    side->Card_alpha_Stepper = 0.5f;
    QImage image = base(*side, 0);
    // Repeated from the card's origin every 10 points, at half opacity over white.
    for (const int x : {2, 12, 102}) {
        EXPECT_EQ(qRed(image.pixel(x, 50)), 255) << x;
        EXPECT_NEAR(qGreen(image.pixel(x, 50)), 127, 2) << x;
        EXPECT_NEAR(qRed(image.pixel(x + 5, 50)), 127, 2) << x;
    }

    // Stretched over the card rectangle and cut to the card's shape: a rounded or elliptic
    // card keeps its corners clear.
    side->Card_BG_Image_Layout = QStringLiteral("Stretch");
    side->Card_alpha_Stepper = 100.0f; // a new card's opacity paints fully opaque
    image = base(*side, 0);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(199, 99), qRgb(0, 255, 0));
    for (int cardShape : { 1, 2 }) {
        image = base(*side, cardShape);
        EXPECT_TRUE(isGrey(image.pixel(1, 1))) << cardShape;
        EXPECT_TRUE(isGrey(image.pixel(198, 98))) << cardShape;
        EXPECT_EQ(image.pixel(20, 50), qRgb(255, 0, 0)) << cardShape;
        EXPECT_EQ(image.pixel(180, 50), qRgb(0, 255, 0)) << cardShape;
    }
}

TEST(CardBasePainterTest, TheBorderStaysOnTheCard)
{
    auto side = Card_Property::create();
    side->Card_border_chk = true;
    side->Card_bordr_clr = QColor(Qt::black);
    side->Card_bor_Stepper = 8;
    for (int cardShape : { 0, 1, 2 }) {
        // The card drawn inside a larger picture: nothing of it may show around it.
        QImage image(240, 140, QImage::Format_ARGB32_Premultiplied);
        image.fill(QColor(128, 128, 128));
        QPainter painter(&image);
        const QRectF card(20, 20, 200, 100);
        CardBasePainter::Card_Base_Drawing(painter, card, *side, cardShape, card);
        painter.end();
        const QPainterPath outline = CardBasePainter::cardOutline(card, cardShape);
        int outside = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!outline.intersects(QRectF(x - 0.5, y - 0.5, 2, 2)) && !isGrey(image.pixel(x, y)))
                    ++outside;
        EXPECT_EQ(outside, 0) << cardShape;
        EXPECT_LT(qGray(image.pixel(22, 70)), 64) << "the inner half of the line shows: " << cardShape;
    }
}

TEST(CardBasePainterTest, DashedBorderRunsItsPatternInPoints)
{
    auto side = Card_Property::create();
    side->Card_border_chk = true;
    side->Card_bordr_clr = QColor(Qt::black);
    side->Card_bor_Stepper = 2;
    side->Card_border_style = QStringLiteral("DDD");
    const QImage image = base(*side, 0, 2.0);
    // Along the top edge (the inner half of the 2-point border), from the left corner.
    QList<int> runs;
    int x = 0;
    while (x < 400 && runs.size() < 6) {
        const bool ink = qGray(image.pixel(x, 1)) < 128;
        int length = 0;
        while (x < 400 && (qGray(image.pixel(x, 1)) < 128) == ink) {
            ++length;
            ++x;
        }
        runs.append(length);
    }
    const QList<int> expected{48, 16, 16, 16, 16, 16};
    ASSERT_EQ(runs.size(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(runs.at(i), expected.at(i), 1) << i;

    side->Card_border_style = QStringLiteral("Q");
    const QImage solid = base(*side, 0);
    for (int px = 0; px < 200; ++px)
        ASSERT_LT(qGray(solid.pixel(px, 0)), 128) << px;
}

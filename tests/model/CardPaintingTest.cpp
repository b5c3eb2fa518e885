#include "model/CardPainting.h"

#include "DrawingTestSupport.h"
#include "support/TempResources.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace drawing_test;

namespace {

QImage strokedRow(const QString& borderCode, double width, double scale)
{
    return paint(QSizeF(200, 20), [&](QPainter& painter) {
        painter.setPen(CardPainting::outlinePen(Qt::black, width, borderCode));
        painter.drawLine(QPointF(0, 10), QPointF(200, 10));
    }, scale);
}

} // namespace

TEST(CardPaintingTest, DashLengthsStayInPointsWhateverTheWidthAndResolution)
{
    for (const double width : {1.0, 4.0}) {
        for (const double scale : {1.0, 2.0}) {
            const QImage image = strokedRow(QStringLiteral("DDD"), width, scale);
            const QList<int> runs = runsAlongRow(image, int(10 * scale), 0, int(100 * scale));
            ASSERT_GE(runs.size(), 6) << width << " " << scale;
            const QList<int> expected{24, 8, 8, 8, 8, 8};
            for (int i = 0; i < 6; ++i)
                EXPECT_NEAR(runs.at(i), expected.at(i) * scale, 1.0) << "run " << i << " width " << width << " scale " << scale;
        }
    }
}

TEST(CardPaintingTest, BorderCodesMapToTheDashTable)
{
    EXPECT_EQ(CardPainting::borderDashLengths(QStringLiteral("DA")), (QList<qreal>{8, 2}));
    EXPECT_EQ(CardPainting::borderDashLengths(QStringLiteral("DO")), (QList<qreal>{4, 6}));
    EXPECT_EQ(CardPainting::borderDashLengths(QStringLiteral("DD")), (QList<qreal>{24, 10, 6, 10}));
    for (const char* solid : {"S", "", "X", "da"})
        EXPECT_TRUE(CardPainting::borderDashLengths(QString::fromLatin1(solid)).isEmpty()) << solid;
    // A solid code draws one unbroken run.
    const QImage image = strokedRow(QStringLiteral("X"), 2.0, 1.0);
    EXPECT_EQ(runsAlongRow(image, 10, 0, 200), QList<int>{200});
}

TEST(CardPaintingTest, AHugePathGetsASolidLineInsteadOfMillionsOfDashes)
{
    EXPECT_EQ(CardPainting::outlinePen(Qt::black, 2.0, QStringLiteral("DA"), Qt::FlatCap, 1000.0).style(),
              Qt::CustomDashLine);
    EXPECT_EQ(CardPainting::outlinePen(Qt::black, 2.0, QStringLiteral("DA"), Qt::FlatCap, 4e6).style(), Qt::SolidLine);
}

TEST(CardPaintingTest, PensHaveFlatCapsAndMitreJoins)
{
    const QPen pen = CardPainting::outlinePen(Qt::black, 3.0, QStringLiteral("DA"));
    EXPECT_EQ(pen.capStyle(), Qt::FlatCap);
    EXPECT_EQ(pen.joinStyle(), Qt::MiterJoin);
    EXPECT_EQ(pen.miterLimit(), 10.0);
    // A bad width from a file draws a hairline rather than nothing or garbage.
    EXPECT_EQ(CardPainting::outlinePen(Qt::black, -5.0, QStringLiteral("S")).widthF(), 0.0);
    EXPECT_EQ(CardPainting::outlinePen(Qt::black, std::nan(""), QStringLiteral("DA")).widthF(), 0.0);
}

TEST(CardPaintingTest, GradientRunsAlongItsAngleFromStartToEndColour)
{
    const QRectF box(0, 0, 100, 60);
    auto sample = [&](double angle, QPointF at) {
        const QImage image = paint(box.size(), [&](QPainter& painter) {
            painter.fillRect(box, CardPainting::angledGradient(box, angle, Qt::white, Qt::black));
        });
        return qGray(image.pixel(at.toPoint()));
    };
    // 0 degrees: white on the left, black on the right.
    EXPECT_GT(sample(0, {2, 30}), 240);
    EXPECT_LT(sample(0, {97, 30}), 15);
    // 90 degrees turns towards +y: white at the top, black at the bottom of the card.
    EXPECT_GT(sample(90, {50, 1}), 240);
    EXPECT_LT(sample(90, {50, 58}), 15);
    // 180 degrees reverses it.
    EXPECT_LT(sample(180, {2, 30}), 15);
    // The gradient spans the whole box diagonally at 45 degrees: corners are the end colours.
    EXPECT_GT(sample(45, {1, 1}), 240);
    EXPECT_LT(sample(45, {98, 58}), 15);
    EXPECT_NEAR(sample(45, {50, 30}), 128, 12);
}

TEST(CardPaintingTest, HatchTilesAreAnchoredAtTheCardOrigin)
{
    TempResources resources;
    QDir(resources.path()).mkpath(QStringLiteral("Fill_Style_Image"));
    // A 4 x 4 tile with one black pixel at its top-left corner.
    QImage tile(4, 4, QImage::Format_ARGB32);
    tile.fill(Qt::transparent);
    tile.setPixel(0, 0, qRgb(0, 0, 0));
    tile.setDotsPerMeterX(2835); // a file at 72 dpi: one point per pixel
    tile.setDotsPerMeterY(2835);
    ASSERT_TRUE(tile.save(resources.path() + QStringLiteral("/Fill_Style_Image/dots.png")));

    const QImage pattern = CardPainting::hatchPicture(QStringLiteral("dots"));
    ASSERT_FALSE(pattern.isNull());
    for (const double scale : {1.0, 3.0}) {
        const QImage image = paint(QSizeF(40, 40), [&](QPainter& painter) {
            // Two areas at offsets that are not multiples of the tile.
            painter.fillRect(QRectF(3, 5, 13, 9), CardPainting::tiledBrush(pattern));
            painter.fillRect(QRectF(21, 22, 11, 14), CardPainting::tiledBrush(pattern));
        }, scale);
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                const QPoint pixel(int(x * scale), int(y * scale));
                const QPointF centre(x + 0.5, y + 0.5);
                const bool inside = QRectF(3, 5, 13, 9).contains(centre) || QRectF(21, 22, 11, 14).contains(centre);
                const bool expectInk = inside && x % 4 == 0 && y % 4 == 0;
                ASSERT_EQ(isInk(image.pixel(pixel)), expectInk) << x << "," << y << " scale " << scale;
            }
        }
    }
}

TEST(CardPaintingTest, HatchNamesCannotLeaveThePatternFolder)
{
    TempResources resources;
    QImage tile(2, 2, QImage::Format_ARGB32);
    tile.fill(Qt::black);
    tile.setDotsPerMeterX(2835); // a file at 72 dpi: one point per pixel
    tile.setDotsPerMeterY(2835);
    ASSERT_TRUE(tile.save(resources.path() + QStringLiteral("/outside.png")));
    EXPECT_TRUE(CardPainting::hatchPicture(QStringLiteral("../outside")).isNull());
    EXPECT_TRUE(CardPainting::hatchPicture(QString()).isNull());
    EXPECT_TRUE(CardPainting::hatchPicture(QStringLiteral("missing")).isNull());
}

TEST(CardPaintingTest, OpacityIsClampedToAFraction)
{
    EXPECT_EQ(CardPainting::withOpacity(Qt::red, 100.0).alphaF(), 1.0f);
    EXPECT_NEAR(CardPainting::withOpacity(Qt::red, 0.5).alphaF(), 0.5f, 0.01);
    EXPECT_EQ(CardPainting::withOpacity(Qt::red, -1.0).alphaF(), 0.0f);
    EXPECT_EQ(CardPainting::withOpacity(Qt::red, std::nan("")).alphaF(), 1.0f);
    EXPECT_FALSE(CardPainting::withOpacity(QColor(), 0.5).isValid());
}

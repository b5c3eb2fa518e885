#include "model/CardPainting.h"
#include "model/Shape_Control.h"

#include "DrawingTestSupport.h"
#include "support/TempResources.h"

#include <QDir>

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

using namespace drawing_test;

namespace {

QImage strokedRow(const QString& borderCode, double width, double scale)
{
    return paint(QSizeF(200, 20), [&](QPainter& painter) {
        painter.setPen(CardPainting::outlinePen(Qt::black, width, borderCode, Qt::FlatCap, 200.0));
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

TEST(CardPaintingTest, AnOutlineAFileHoldsIsBoundedSoThatItDrawsQuickly)
{
    const auto pen = [](double width, const char* code, double length) {
        return CardPainting::outlinePen(Qt::black, width, QString::fromLatin1(code), Qt::FlatCap, length);
    };
    EXPECT_EQ(pen(2.0, "DA", 1000.0).style(), Qt::CustomDashLine);
    // Millions of dashes along a huge path.
    EXPECT_EQ(pen(2.0, "DA", 4e6).style(), Qt::SolidLine);
    EXPECT_EQ(pen(2.0, "DA", std::nan("")).style(), Qt::SolidLine);
    // The fuzzer's circle: a dash-dot-dot outline 10,000 points wide held an export for minutes.
    const QPen wide = pen(10000.0, "DDD", 140.0);
    EXPECT_EQ(wide.style(), Qt::SolidLine);
    EXPECT_EQ(wide.widthF(), CardPainting::widestPen);
    EXPECT_EQ(pen(std::numeric_limits<double>::infinity(), "S", 140.0).widthF(), 0.0);
    // The panels' dashed borders on a card-sized outline keep their dashes.
    EXPECT_EQ(pen(50.0, "DA", 794.0).style(), Qt::CustomDashLine);
    EXPECT_EQ(pen(100.0, "DDD", 140.0).style(), Qt::CustomDashLine);
    // A single dash under a pen wider than that: Qt strokes it piece by piece along a curve.
    EXPECT_EQ(pen(101.0, "DDD", 25.0).style(), Qt::SolidLine);

    // The object keeps its width for the file but is drawn at the bound: dashed, it inks the
    // whole corner as a solid one does (Qt's own stroker drew nothing of the circle).
    for (const char* code : { "C", "T" }) {
        auto shape = SKTGraphic::create<Shape_Control>();
        shape->Set_Shape_Type(QString::fromLatin1(code));
        shape->setBounds(QRectF(8, 8, 48, 40));
        shape->_strokeWidth = 10000.0;
        shape->_stroke_border_type = QStringLiteral("DDD");
        const QImage dashed = drawObject(*shape, QSizeF(64, 64), 300.0 / 72.0);
        EXPECT_EQ(inkBox(dashed), dashed.rect()) << code;
        shape->_stroke_border_type = QStringLiteral("S");
        EXPECT_EQ(dashed, drawObject(*shape, QSizeF(64, 64), 300.0 / 72.0)) << code;
        EXPECT_EQ(shape->_strokeWidth, 10000.0);
        const double reach = CardPainting::widestPen / 2.0;
        EXPECT_EQ(shape->drawingBounds().left(), 8.0 - reach);
        EXPECT_LE(shape->paintedBounds().left(), 8.0 - reach);
        EXPECT_GT(shape->paintedBounds().left(), 8.0 - 10.0 * reach); // mitred at most ten times out
    }
}

TEST(CardPaintingTest, PensHaveFlatCapsAndMitreJoins)
{
    const QPen pen = CardPainting::outlinePen(Qt::black, 3.0, QStringLiteral("DA"), Qt::FlatCap, 100.0);
    EXPECT_EQ(pen.capStyle(), Qt::FlatCap);
    EXPECT_EQ(pen.joinStyle(), Qt::MiterJoin);
    EXPECT_EQ(pen.miterLimit(), 10.0);
    // A bad width from a file draws a hairline rather than nothing or garbage.
    EXPECT_EQ(CardPainting::outlinePen(Qt::black, -5.0, QStringLiteral("S"), Qt::FlatCap, 100.0).widthF(), 0.0);
    EXPECT_EQ(CardPainting::outlinePen(Qt::black, std::nan(""), QStringLiteral("DA"), Qt::FlatCap, 100.0).widthF(), 0.0);
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

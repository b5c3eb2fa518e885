// Rectangles filled straight into pixels cover exactly the pixels the painter covers without
// antialiasing, and the filler declines what it cannot draw alike.
#include "platform/CrispRects.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <random>

namespace {

QImage blank()
{
    QImage image(300, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Bars at fractional places and widths, some reaching past the image's edges.
std::vector<QRectF> randomBars(std::mt19937& random)
{
    std::uniform_real_distribution<double> place(-20.0, 260.0);
    std::uniform_real_distribution<double> length(0.05, 30.0);
    std::vector<QRectF> rects;
    for (int i = 0; i < 60; ++i)
        rects.emplace_back(place(random), place(random) / 3, length(random), length(random) * 2);
    // Edges through pixel centres, where the rule for a tie shows.
    for (int i = 0; i < 10; ++i)
        rects.emplace_back(20.5 + i * 11, 4.5 + i, 2 + i % 3 * 0.5, 3.5);
    return rects;
}

void prepare(QPainter& painter, const QTransform& transform)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setTransform(transform);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(20, 40, 200));
}

TEST(CrispRects, CoverThePixelsThePainterCovers)
{
    std::mt19937 random(7);
    const QTransform transforms[] = { QTransform(), QTransform::fromScale(300.0 / 72, 300.0 / 72),
        QTransform::fromTranslate(0.37, 0.81).scale(1.7, 0.9), QTransform::fromScale(0.33, 2.5) };
    for (const QTransform& transform : transforms) {
        const std::vector<QRectF> rects = randomBars(random);
        QImage byPainter = blank();
        QImage direct = blank();
        {
            QPainter painter(&byPainter);
            prepare(painter, transform);
            painter.drawRects(rects.data(), int(rects.size()));
        }
        {
            QPainter painter(&direct);
            prepare(painter, transform);
            ASSERT_TRUE(fillCrispRects(painter, rects));
        }
        EXPECT_EQ(direct, byPainter) << transform.m11() << " " << transform.m22();
    }
}

// Bars over the same rows are filled once and copied down, but only over rows that were
// alike: a drawing already there in some of them must show between the bars.
TEST(CrispRects, BarsOverTheSameRowsKeepWhatIsBetweenThem)
{
    std::vector<QRectF> bars;
    for (int i = 0; i < 30; ++i)
        bars.emplace_back(10.3 + i * 9.1, 5.2, 1.0 + i % 4 * 1.7, 70.6);
    for (const bool marked : { false, true }) {
        QImage base = blank();
        if (marked)
            QPainter(&base).fillRect(QRect(0, 40, 300, 3), Qt::red);
        QImage byPainter = base;
        QImage direct = base;
        {
            QPainter painter(&byPainter);
            prepare(painter, QTransform::fromScale(0.9, 1.1));
            painter.drawRects(bars.data(), int(bars.size()));
        }
        {
            QPainter painter(&direct);
            prepare(painter, QTransform::fromScale(0.9, 1.1));
            ASSERT_TRUE(fillCrispRects(painter, bars));
        }
        EXPECT_EQ(direct, byPainter) << marked;
    }
}

TEST(CrispRects, DeclineWhatNeedsBlendingOrAGeneralPainter)
{
    const std::vector<QRectF> rects { QRectF(1, 1, 5, 5) };
    const auto declines = [&](const std::function<void(QPainter&)>& change) {
        QImage image = blank();
        QPainter painter(&image);
        prepare(painter, QTransform());
        change(painter);
        const bool filled = fillCrispRects(painter, rects);
        painter.end();
        return !filled && image == blank();
    };
    EXPECT_TRUE(declines([](QPainter& p) { p.setBrush(QColor(0, 0, 0, 128)); }));
    EXPECT_TRUE(declines([](QPainter& p) { p.setBrush(Qt::Dense4Pattern); }));
    EXPECT_TRUE(declines([](QPainter& p) { p.setPen(Qt::black); }));
    EXPECT_TRUE(declines([](QPainter& p) { p.setOpacity(0.5); }));
    EXPECT_TRUE(declines([](QPainter& p) { p.setClipRect(0, 0, 3, 3); }));
    EXPECT_TRUE(declines([](QPainter& p) { p.rotate(10); }));
    EXPECT_TRUE(declines([](QPainter& p) { p.scale(-1, 1); }));
    EXPECT_TRUE(declines([](QPainter& p) { p.setRenderHint(QPainter::Antialiasing); }));

    QImage grey(20, 20, QImage::Format_Grayscale8);
    QPainter painter(&grey);
    prepare(painter, QTransform());
    EXPECT_FALSE(fillCrispRects(painter, rects));
}

} // namespace

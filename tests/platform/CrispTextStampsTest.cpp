// Stamped text comes out pixel for pixel as the painter draws it without smoothing, at every
// fraction of a pixel, and the stamper declines what it cannot draw alike.
#include "platform/CrispTextStamps.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

QImage blank()
{
    QImage image(400, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    // Fonts follow the device's resolution; a 300-dpi page like the barcode pictures'.
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    return image;
}

QFont crispFont(double points)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(points);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void prepare(QPainter& painter, const QTransform& transform, const QFont& font)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing, false);
    painter.setTransform(transform);
    painter.setPen(QColor(10, 20, 30));
    painter.setFont(font);
}

// As the picture player stamps: with the font's key made by the caller.
bool stamp(QPainter& painter, const QFont& font, const QPointF& position, const QString& text)
{
    return drawCrispTextStamp(painter, font, font.key(), position, text);
}

} // namespace

TEST(CrispTextStamps, MatchThePaintersTextAtEveryPlace)
{
    const QString caption = QStringLiteral("GALA-000123-4567 Wg\u00e9");
    const QTransform transforms[] = { QTransform(), QTransform::fromScale(300.0 / 72, 300.0 / 72).scale(0.2, 0.2),
        QTransform::fromTranslate(0.37, 0.81).scale(1.3, 0.9) };
    for (const QTransform& transform : transforms) {
        for (const double points : { 5.0, 7.0, 9.5 }) {
            const QFont font = crispFont(points);
            QImage byPainter = blank();
            QImage stamped = blank();
            {
                QPainter painter(&byPainter);
                prepare(painter, transform, font);
                for (int i = 0; i < caption.size(); ++i)
                    painter.drawText(QPointF(3.1 + i * 7.37, 20.4 + i * 0.13), caption.mid(i, 1));
            }
            {
                QPainter painter(&stamped);
                prepare(painter, transform, font);
                // Twice over: the second time every character comes from the cache.
                for (int pass = 0; pass < 2; ++pass) {
                    for (int i = 0; i < caption.size(); ++i)
                        ASSERT_TRUE(stamp(painter, font, QPointF(3.1 + i * 7.37, 20.4 + i * 0.13), caption.mid(i, 1)));
                }
            }
            EXPECT_EQ(stamped, byPainter) << points << " pt, scale " << transform.m11();
        }
    }
}

// A stamp made at one place serves every place a whole number of pixels away.
TEST(CrispTextStamps, OneStampServesPlacesWholePixelsApart)
{
    const QTransform transform = QTransform::fromTranslate(0.3, 0.6).scale(2, 2);
    const QFont font = crispFont(6);
    QImage byPainter = blank();
    QImage stamped = blank();
    for (QImage* image : { &byPainter, &stamped }) {
        QPainter painter(image);
        prepare(painter, transform, font);
        for (int k = 0; k < 12; ++k) {
            const QPointF at(4.26 + k * 15.5, 12.77 + (k % 3) * 3.5);
            if (image == &stamped)
                ASSERT_TRUE(stamp(painter, font, at, QStringLiteral("8")));
            else
                painter.drawText(at, QStringLiteral("8"));
        }
    }
    EXPECT_EQ(stamped, byPainter);
}

TEST(CrispTextStamps, DeclineWhatTheyCannotDrawAlike)
{
    QImage image = blank();
    QPainter painter(&image);
    prepare(painter, QTransform(), crispFont(7));
    const QPointF at(10, 30);
    const QString text = QStringLiteral("A");
    QFont smooth = crispFont(7);
    smooth.setStyleStrategy(QFont::PreferAntialias);
    EXPECT_FALSE(stamp(painter, smooth, at, text));

    painter.rotate(10);
    EXPECT_FALSE(stamp(painter, crispFont(7), at, text));
    painter.resetTransform();

    painter.setOpacity(0.5);
    EXPECT_FALSE(stamp(painter, crispFont(7), at, text));
    painter.setOpacity(1);

    painter.setClipRect(QRect(0, 0, 50, 50));
    EXPECT_FALSE(stamp(painter, crispFont(7), at, text));
    painter.setClipping(false);
    EXPECT_FALSE(stamp(painter, crispFont(7), at, QStringLiteral("AV")));
    EXPECT_TRUE(stamp(painter, crispFont(7), at, text));
    painter.end();

    QImage grey(50, 50, QImage::Format_Grayscale8);
    QPainter greyPainter(&grey);
    EXPECT_FALSE(stamp(greyPainter, crispFont(7), at, text));
}

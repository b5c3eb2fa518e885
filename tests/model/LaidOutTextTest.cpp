#include "model/LaidOutText.h"

#include "platform/Picture.h"
#include "platform/PlacedGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

#include <functional>

#include <gtest/gtest.h>

namespace {

QFont font(const QString& family, double points, bool bold = false)
{
    QFont result(family);
    result.setPointSizeF(points);
    result.setBold(bold);
    return result;
}

struct Sample
{
    const char* name;
    QString text;
    QFont font;
    double kerning;
    Qt::Alignment alignment;
    QRectF box;
};

// Texts of every kind a card shows, each in a box on a 300 x 200 point card.
QList<Sample> samples()
{
    const QFont sans = font(QStringLiteral("Liberation Sans"), 14);
    return {
        { "left, two lines", QStringLiteral("Anna Berg\nMain Street 4"), sans, 0.0, Qt::AlignLeft,
            { 20, 20, 260, 60 } },
        { "right", QStringLiteral("Invitation"), sans, 0.0, Qt::AlignRight | Qt::AlignAbsolute, { 20, 20, 260, 40 } },
        { "centre", QStringLiteral("Summer party"), font(QStringLiteral("Liberation Serif"), 22, true), 0.0,
            Qt::AlignHCenter, { 20, 20, 260, 40 } },
        { "justified, wrapped", QStringLiteral("We kindly invite you and your family to the opening of our new hall"),
            sans, 0.0, Qt::AlignJustify, { 20, 20, 200, 120 } },
        { "letter spaced", QStringLiteral("VIP GUEST"), sans, 3.0, Qt::AlignLeft, { 20, 20, 260, 40 } },
        { "small", QStringLiteral("Member no. 00412 - valid until 12/2027"), font(QStringLiteral("Liberation Sans"), 6),
            0.0, Qt::AlignLeft, { 20, 20, 260, 40 } },
        { "fallback face", QStringLiteral("Stars \u2605\u2605\u2605 and \u2230"), sans, 0.0, Qt::AlignLeft,
            { 20, 20, 260, 40 } },
        { "cut below the height", QStringLiteral("one\ntwo\nthree\nfour"), sans, 0.0, Qt::AlignLeft,
            { 20, 20, 260, 35 } },
    };
}

// The painter states a card puts text in: plain, turned, faded, and clipped through the box.
const std::function<void(QPainter&)> painterStates[] = {
    [](QPainter&) {},
    [](QPainter& painter) {
        painter.translate(150, 100);
        painter.rotate(12);
        painter.scale(0.8, 0.8);
        painter.translate(-150, -100);
    },
    [](QPainter& painter) { painter.setOpacity(0.5); },
};

using Drawing = std::function<void(QPainter&)>;

// Recorded in a picture and played at the resolution, as export and print do.
QImage played(double dpi, const Drawing& state, const Drawing& draw)
{
    return Picture::record(QSizeF(300, 200), [&](QPainter& painter) {
        state(painter);
        draw(painter);
    }).toImage(dpi, Qt::white);
}

// Drawn straight on a scaled painter, as the canvas does.
QImage direct(double dpi, const Drawing& state, const Drawing& draw)
{
    QImage image(QSize(300, 200) * (dpi / 72.0), QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(dpi / 72.0, dpi / 72.0);
    state(painter);
    draw(painter);
    return image;
}

bool hasNear(const QImage& image, int x, int y, int grey)
{
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint point(x + dx, y + dy);
            if (image.rect().contains(point) && std::abs(qGray(image.pixel(point)) - grey) <= 64)
                return true;
        }
    }
    return false;
}

// The share of inked pixels whose grey neither image comes near within one pixel: what
// antialiasing and glyph placement on the pixel grid cannot explain.
double differingShare(const QImage& a, const QImage& b)
{
    int inked = 0;
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const int grey = qGray(a.pixel(x, y));
            const int other = qGray(b.pixel(x, y));
            if (grey == 255 && other == 255)
                continue;
            ++inked;
            if (!hasNear(b, x, y, grey) || !hasNear(a, x, y, other))
                ++differing;
        }
    }
    return inked ? double(differing) / inked : 0.0;
}

} // namespace

TEST(LaidOutText, TextDrawnAsGlyphsMatchesItsOutlines)
{
    const QColor colour(20, 40, 160);
    for (const Sample& sample : samples()) {
        const LaidOutText text(sample.text, sample.font, sample.kerning, sample.box.width(), sample.alignment);
        const auto inBox = [&](QPainter& painter, const std::function<void()>& draw) {
            painter.setClipRect(sample.box, Qt::IntersectClip);
            painter.setRenderHint(QPainter::Antialiasing);
            draw();
        };
        const Drawing glyphs = [&](QPainter& painter) {
            inBox(painter, [&] {
                painter.setPen(colour);
                text.draw(painter, sample.box.topLeft(), sample.box.height());
            });
        };
        const Drawing outlines = [&](QPainter& painter) {
            inBox(painter, [&] {
                for (const PlacedGlyphs& placed : text.placedGlyphs(sample.box.topLeft(), sample.box.height()))
                    painter.fillPath(placed.outline(placed.rawFont()), colour);
            });
        };
        for (const double dpi : { 72.0, 300.0 }) {
            for (const Drawing& state : painterStates) {
                const QImage expected = played(dpi, state, outlines);
                const auto where = [&] {
                    return std::string(sample.name) + " at " + std::to_string(int(dpi)) + " dpi, state "
                        + std::to_string(&state - painterStates);
                };
                EXPECT_LT(differingShare(played(dpi, state, glyphs), expected), 0.05) << where();
                EXPECT_LT(differingShare(direct(dpi, state, glyphs), expected), 0.05) << where();
            }
        }
    }
}

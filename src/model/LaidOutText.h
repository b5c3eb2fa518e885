#pragma once

#include <QFont>
#include <QTextLayout>

class CardEdge;
class PlacedGlyphs;
class QPainter;

// A text laid out in lines at a width, in points; one line under the other from y = 0.
//
// The layout is made once, at a large pixel size scaled back to points, so that line breaks,
// kerning and widths are the same on the canvas, in export, print and PDF, whatever the
// device: Qt resolves point-sized fonts per device and, on a 72-dpi device, drops absolute
// letter spacing.
class LaidOutText
{
public:
    // kerning is extra space after every character, in points.
    LaidOutText(const QString& text, const QFont& font, double kerning, double width, Qt::Alignment alignment,
        const QList<QTextLayout::FormatRange>& formats = {});

    // The glyphs of the lines that start above maxHeight, in points, with the first line's
    // top left at origin.
    QList<PlacedGlyphs> placedGlyphs(QPointF origin, double maxHeight) const;
    // Draws those glyphs as text in the painter's pen, with the lines under and through
    // them that the font asks for.
    void draw(QPainter& painter, QPointF origin, double maxHeight) const;
    // The font's underline and strikeout under and through each line that starts above
    // maxHeight, as filled bands at the font's own position and thickness, in points from the
    // first line's top left; none when the font asks for neither.
    QList<QRectF> decorations(double maxHeight) const;

    // Where the glyphs of the lines drawn at a height (those that start above it) put ink, in
    // points from the first line's top left, and whether a line with ink starts below it and
    // is not drawn at all.
    struct Ink
    {
        QRectF drawn;
        bool linesLeftOut = false;
    };
    Ink ink(double maxHeight) const;
    // Whether the card's outline holds the ink of every glyph of the lines drawn at a height,
    // with the first line's top left at origin on the card.
    bool inkOnCard(const CardEdge& card, QPointF origin, double maxHeight) const;

    double usedWidth() const { return usedWidth_; } // the widest line
    double height() const { return height_; }

private:
    // Layout units per point.
    static double scaleFor(const QFont& font, const QList<QTextLayout::FormatRange>& formats);

    double layoutScale_;
    QTextLayout layout_;
    double usedWidth_ = 0.0;
    double height_ = 0.0;
};

#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

// Text of barcode pictures, measured and drawn on a 72-dpi device so that one point of a
// font is one unit of the picture. Positions are top-left corners in y-down coordinates.

// Cap height of the font in points.
double capHeight(const QFont& font);
// Height in inches of a caption, header or footer band: 1.35 x the cap height.
float bandHeightInches(const QFont& font);
// Width and line height of the text in points, without extra letter spacing.
QSizeF measureText(const QString& text, const QFont& font);
// The font's line height in points, whatever the text (cheaper than measuring one).
double lineHeight(const QFont& font);

// Horizontal placement of a text in its rectangle, from the alignment word of the settings:
// "Center", "Left", "Right"; any other word keeps the default (left).
Qt::Alignment alignmentFromWord(const QString& word);

// kerning: extra space in points after each character.
void drawTextAt(QPainter& painter, const QPointF& topLeft, const QString& text, const QFont& font, double kerning,
    const QColor& color);
void drawTextInRect(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font, double kerning,
    const QColor& color, Qt::Alignment alignment);

#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

class QPaintDevice;

// A short note written inside a box of the canvas: the font shrinks until the whole note fits
// with no word broken, down to a readable minimum; below that, what does not fit is cut short.
struct FittedNote
{
    QFont font;
    QString text; // the note, or its lines cut short
    int flags = 0; // alignment and wrapping for QPainter::drawText

    static constexpr qreal minimumPointSize = 7.0;
    // Fitted to a box of the device's pixels, starting from the font.
    static FittedNote fit(const QString& note, const QFont& font, const QSizeF& box, const QPaintDevice* device);
};

#pragma once

#include "platform/PlacedGlyphs.h"

#include <QFont>
#include <QHash>
#include <QList>
#include <QRawFont>
#include <QString>

#include <utility>
#include <vector>

// What turning text into glyphs, and glyphs into faces, has made on one thread, kept for the
// next pictures drawn there: a batch of cards in a few fonts then lays out each caption
// character and makes each face once rather than once a card. Both take a lock that every
// thread drawing text wants. A cache belongs to the thread that made it.
class GlyphCache
{
public:
    // The face of the glyphs at their size.
    const QRawFont& face(const PlacedGlyphs& glyphs);

    // The glyphs that QPainter::drawText draws for text in font (sized in points) on a 72-dpi
    // device, from the start of its base line at baseLine: one run per face.
    QList<PlacedGlyphs> laidOut(const QString& text, const QFont& font, QPointF baseLine);

private:
    struct Face
    {
        QFont font;
        double pixelSize;
        QRawFont face;
    };
    std::vector<Face> faces_;
    // Glyphs by text and font, from a base line at the origin.
    QHash<std::pair<QString, QFont>, QList<PlacedGlyphs>> layouts_;
};

#pragma once

#include <QFont>
#include <QList>
#include <QPointF>

class QGlyphRun;
class QPainter;
class QPainterPath;
class QRawFont;

// Glyphs of one face at positions laid out beforehand: text that a PDF keeps as text
// (selectable, searchable) and that no device's font metrics can move.
//
// It holds a QFont, not a raw font: Qt's font engines belong to the thread that made them,
// and pictures are recorded on workers and played on other threads. Each thread makes its
// own raw font from it.
class PlacedGlyphs
{
public:
    PlacedGlyphs() = default;

    // A run of a text layout, scaled (painter units per layout unit) and moved by offset.
    // requested is the font the run's text asked for: where the run shows that font's face it
    // is kept (with any emboldening Qt adds), otherwise the face standing in for it.
    static PlacedGlyphs fromRun(const QGlyphRun& run, const QFont& requested, double scale, QPointF offset);

    // The face at its size, made for the calling thread.
    QRawFont rawFont() const;
    // Draws in the painter's pen at once, in the given face (from rawFont() on this thread).
    void draw(QPainter& painter, const QRawFont& face) const;
    // The glyphs' outlines, for painters that must not smooth them.
    QPainterPath outline(const QRawFont& face) const;
    // The same glyphs moved by offset.
    PlacedGlyphs translated(QPointF offset) const;
    // Adds other's glyphs after these, so that both are drawn in one go; false, adding
    // nothing, unless both show one face at one size.
    bool append(const PlacedGlyphs& other);

    const QFont& font() const { return font_; }
    double pixelSize() const { return pixelSize_; }
    bool isEmpty() const { return glyphIndexes_.isEmpty(); }

private:
    QFont font_; // names the face; its size is not used
    double pixelSize_ = 0.0; // the em size in painter units
    QList<quint32> glyphIndexes_;
    QList<QPointF> positions_; // baseline origins in painter units
};

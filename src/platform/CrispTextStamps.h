#pragma once

class QFont;
class QPainter;
class QPointF;
class QString;

// Draws one character without smoothing (barcode captions come one at a time) by
// stamping a picture of it made once per thread: shaping and rasterising the same
// characters again for every symbol of a batch costs more than the rest of the caption.
// The stamp is the painter's own drawing of the character at the same fraction of a pixel,
// so the pixels come out as drawText would make them. Only for an unrotated, unclipped
// painter at full opacity on a 32-bit image of one pixel per unit, with a solid pen and a
// font that does not smooth; answers false, having drawn nothing, in any other case.
// fontKey is the font's key, which a caller drawing many characters in one font keeps:
// making it costs about as much as stamping a character.
bool drawCrispTextStamp(
    QPainter& painter, const QFont& font, const QString& fontKey, const QPointF& position, const QString& text);

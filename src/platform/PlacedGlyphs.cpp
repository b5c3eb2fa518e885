#include "platform/PlacedGlyphs.h"

#include <QDebug>
#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

// Where no installed font has glyphs for a script, Qt shapes the run with a stand-in engine
// that draws empty boxes: it has no family (asking for its name crashes) and no pixel size.
bool isRealFace(const QRawFont& face)
{
    return face.isValid() && face.pixelSize() > 0.0;
}

bool showsFace(const QFont& font, const QRawFont& face)
{
    const QRawFont resolved = QRawFont::fromFont(font);
    return isRealFace(resolved) && resolved.familyName() == face.familyName()
        && resolved.styleName() == face.styleName();
}

void logTextWithoutFace(const QFont& requested)
{
    // Once: a batch would otherwise log it for every card.
    static std::atomic_bool logged = false;
    if (!logged.exchange(true))
        qWarning().noquote() << QStringLiteral("No installed font has the letters of a text in %1; "
                                               "those letters are not drawn")
                                    .arg(requested.family());
}

// A font that any thread resolves to the given face.
QFont fontOfFace(const QRawFont& face)
{
    QFont font(face.familyName());
    font.setStyleName(face.styleName());
    font.setWeight(QFont::Weight(face.weight()));
    font.setStyle(face.style());
    return font;
}

} // namespace

PlacedGlyphs PlacedGlyphs::fromRun(const QGlyphRun& run, const QFont& requested, double scale, QPointF offset)
{
    PlacedGlyphs placed;
    const QRawFont face = run.rawFont();
    if (!std::isfinite(scale) || scale <= 0.0)
        return placed;
    if (!isRealFace(face)) {
        if (face.isValid() && !run.glyphIndexes().isEmpty())
            logTextWithoutFace(requested);
        return placed;
    }
    placed.font_ = showsFace(requested, face) ? requested : fontOfFace(face);
    placed.font_.setHintingPreference(face.hintingPreference());
    placed.pixelSize_ = face.pixelSize() * scale;
    const QList<quint32> indexes = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    const qsizetype count = std::min(indexes.size(), positions.size());
    placed.glyphIndexes_ = indexes.first(count);
    placed.positions_.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        placed.positions_.append(positions.at(i) * scale + offset);
    return placed;
}

QRawFont PlacedGlyphs::rawFont() const
{
    // A font of its own, not a copy of font_: resolving a font caches this thread's engines
    // in it, and font_ may be shared with fonts that other threads resolve.
    QFont font;
    font.setFamilies(font_.families());
    if (!font_.styleName().isEmpty())
        font.setStyleName(font_.styleName());
    font.setWeight(font_.weight());
    font.setStyle(font_.style());
    font.setStretch(font_.stretch());
    font.setHintingPreference(font_.hintingPreference());
    font.setPixelSize(std::max(1, int(std::lround(std::min(pixelSize_, 10000.0)))));
    QRawFont face = QRawFont::fromFont(font);
    if (face.isValid())
        face.setPixelSize(pixelSize_);
    return face;
}

void PlacedGlyphs::draw(QPainter& painter, const QRawFont& face) const
{
    if (isEmpty() || !face.isValid())
        return;
    QGlyphRun run;
    run.setRawFont(face);
    run.setGlyphIndexes(glyphIndexes_);
    run.setPositions(positions_);
    painter.drawGlyphRun(QPointF(0, 0), run);
}

QPainterPath PlacedGlyphs::outline(const QRawFont& face) const
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    if (!face.isValid())
        return path;
    for (qsizetype i = 0; i < glyphIndexes_.size(); ++i)
        path.addPath(face.pathForGlyph(glyphIndexes_.at(i)).translated(positions_.at(i)));
    return path;
}

bool PlacedGlyphs::append(const PlacedGlyphs& other)
{
    if (other.isEmpty())
        return true;
    if (isEmpty()) {
        *this = other;
        return true;
    }
    if (pixelSize_ != other.pixelSize_ || font_ != other.font_)
        return false;
    glyphIndexes_.append(other.glyphIndexes_);
    positions_.append(other.positions_);
    return true;
}

PlacedGlyphs PlacedGlyphs::translated(QPointF offset) const
{
    PlacedGlyphs moved = *this;
    for (QPointF& position : moved.positions_)
        position += offset;
    return moved;
}

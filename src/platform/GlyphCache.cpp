#include "platform/GlyphCache.h"

#include "platform/DeviceFont.h"

#include <QGlyphRun>
#include <QTextLayout>

namespace {

// More texts than a design shows on a card: the cache is emptied rather than grow without end
// over a batch of texts that never repeat.
constexpr qsizetype mostLayoutsKept = 4096;

QList<PlacedGlyphs> layOut(const QString& text, const QFont& font)
{
    QTextLayout layout(text, font, pointSizedDevice());
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return {};
    }
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    QList<PlacedGlyphs> placed;
    for (const QGlyphRun& run : line.glyphRuns())
        placed.append(PlacedGlyphs::fromRun(run, font, 1.0, QPointF(0, -line.ascent())));
    return placed;
}

} // namespace

const QRawFont& GlyphCache::face(const PlacedGlyphs& glyphs)
{
    for (const Face& known : faces_) {
        if (known.pixelSize == glyphs.pixelSize() && known.font == glyphs.font())
            return known.face;
    }
    faces_.push_back({ glyphs.font(), glyphs.pixelSize(), glyphs.rawFont() });
    return faces_.back().face;
}

QList<PlacedGlyphs> GlyphCache::laidOut(const QString& text, const QFont& font, QPointF baseLine)
{
    const std::pair<QString, QFont> key(text, font);
    auto known = layouts_.constFind(key);
    if (known == layouts_.constEnd()) {
        if (layouts_.size() >= mostLayoutsKept)
            layouts_.clear();
        known = layouts_.insert(key, layOut(text, font));
    }
    QList<PlacedGlyphs> placed;
    placed.reserve(known->size());
    for (const PlacedGlyphs& glyphs : *known)
        placed.append(glyphs.translated(baseLine));
    return placed;
}

#include "model/LaidOutText.h"

#include "model/CardEdge.h"

#include "platform/Picture.h"
#include "platform/PlacedGlyphs.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Layout units per point, as fine as Qt's layout allows: above about 16000 pixels its
// line metrics overflow, so large fonts get a coarser scale.
constexpr double finestLayoutScale = 64.0;
constexpr double largestLayoutPixelSize = 16000.0;
constexpr double largestPointSize = 4000.0;

double pointSizeOf(const QFont& font)
{
    if (font.pointSizeF() > 0)
        return font.pointSizeF();
    return font.pixelSize() > 0 ? font.pixelSize() : 12.0;
}

double clampedPointSize(const QFont& font)
{
    const double points = pointSizeOf(font);
    return std::isfinite(points) ? std::clamp(points, 0.1, largestPointSize) : 12.0;
}

// The smallest letter spacing Qt's layout keeps (one 26.6 step, in layout pixels: 1/4096
// point at the finest scale). Qt shapes text with any letter spacing without ligatures, and
// a PDF can name only one character for a glyph: "fi" drawn as one glyph would be found as
// U+FB01, never as "f" and "i", so "Pacific" could not be searched or copied from a print.
constexpr double ligatureFreeSpacing = 1.0 / 64.0;

// The font at the layout's scale: its size in points becomes layout pixels.
QFont layoutFont(QFont font, double kerning, double layoutScale)
{
    font.setPixelSize(std::max(1, int(std::lround(clampedPointSize(font) * layoutScale))));
    font.setHintingPreference(QFont::PreferNoHinting);
    if (kerning != 0.0 && std::isfinite(kerning))
        font.setLetterSpacing(QFont::AbsoluteSpacing, kerning * layoutScale);
    else
        font.setLetterSpacing(QFont::AbsoluteSpacing, ligatureFreeSpacing);
    return font;
}

// Qt's one-paragraph layout starts a new line only at U+2028. Line feeds, carriage returns
// and paragraph separators become that break (a CR LF pair one break); the format ranges
// follow the shorter text.
QString withLineSeparators(const QString& text, QList<QTextLayout::FormatRange>& formats)
{
    QString result;
    result.reserve(text.size());
    std::vector<int> newIndex(size_t(text.size()) + 1);
    for (qsizetype i = 0; i < text.size(); ++i) {
        newIndex[size_t(i)] = int(result.size());
        const QChar c = text.at(i);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            continue;
        const bool lineEnd = c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator;
        result.append(lineEnd ? QChar(QChar::LineSeparator) : c);
    }
    newIndex.back() = int(result.size());
    const auto mapped = [&](int index) { return newIndex[size_t(std::clamp<qsizetype>(index, 0, text.size()))]; };
    for (QTextLayout::FormatRange& range : formats) {
        const int end = mapped(range.start + range.length);
        range.start = mapped(range.start);
        range.length = end - range.start;
    }
    return result;
}

// Calls visit(face, glyph, ink box, position) for every glyph of the line that has ink, in
// layout units, until it answers false; whether none did. A run's own bounding rectangle is
// the line's, not its glyphs': the face knows each glyph's.
template <typename Visit>
bool forEachInkedGlyph(const QTextLine& line, Visit visit)
{
    for (const QGlyphRun& run : line.glyphRuns()) {
        const QRawFont face = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < std::min(glyphs.size(), positions.size()); ++i) {
            const QRectF box = face.boundingRect(glyphs.at(i));
            if (!box.isEmpty() && !visit(face, glyphs.at(i), box.translated(positions.at(i)), positions.at(i)))
                return false;
        }
    }
    return true;
}

} // namespace

double LaidOutText::scaleFor(const QFont& font, const QList<QTextLayout::FormatRange>& formats)
{
    double largest = clampedPointSize(font);
    for (const QTextLayout::FormatRange& range : formats)
        largest = std::max(largest, clampedPointSize(range.format.font()));
    return std::min(finestLayoutScale, largestLayoutPixelSize / largest);
}

LaidOutText::LaidOutText(const QString& text, const QFont& font, double kerning, double width, Qt::Alignment alignment,
    const QList<QTextLayout::FormatRange>& formats)
    : layoutScale_(scaleFor(font, formats))
    , layout_(QString(), layoutFont(font, kerning, layoutScale_))
{
    QList<QTextLayout::FormatRange> scaled = formats;
    layout_.setText(withLineSeparators(text, scaled));
    for (QTextLayout::FormatRange& range : scaled)
        range.format.setFont(layoutFont(range.format.font(), kerning, layoutScale_));
    layout_.setFormats(scaled);
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout_.setTextOption(option);
    layout_.setCacheEnabled(true);

    // Qt's layout counts in 26.6 fixed point: wider lines than this would wrap around.
    const double lineWidth = std::isfinite(width) && width > 0.0 ? std::min(width * layoutScale_, 1e7) : 0.0;
    double y = 0.0;
    layout_.beginLayout();
    for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(lineWidth);
        line.setPosition(QPointF(0.0, y));
        y += line.height();
        usedWidth_ = std::max(usedWidth_, line.naturalTextWidth() / layoutScale_);
    }
    layout_.endLayout();
    height_ = y / layoutScale_;
}

QList<PlacedGlyphs> LaidOutText::placedGlyphs(QPointF origin, double maxHeight) const
{
    QList<PlacedGlyphs> placed;
    for (int index = 0; index < layout_.lineCount(); ++index) {
        const QTextLine line = layout_.lineAt(index);
        // Lines that start below the height are not shown.
        if (line.y() / layoutScale_ >= maxHeight)
            break;
        for (const QGlyphRun& run : line.glyphRuns())
            placed.append(PlacedGlyphs::fromRun(run, layout_.font(), 1.0 / layoutScale_, origin));
    }
    return placed;
}

QList<QRectF> LaidOutText::decorations(double maxHeight) const
{
    QList<QRectF> bands;
    const QFont& font = layout_.font();
    if (!font.underline() && !font.strikeOut())
        return bands;
    // The layout's font is sized in layout units, whatever the device.
    const QFontMetricsF metrics(font);
    const double thickness = metrics.lineWidth();
    QList<double> centresBelowBaseLine;
    if (font.underline())
        centresBelowBaseLine.append(metrics.underlinePos());
    if (font.strikeOut())
        centresBelowBaseLine.append(-metrics.strikeOutPos());
    for (int index = 0; index < layout_.lineCount(); ++index) {
        const QTextLine line = layout_.lineAt(index);
        if (line.y() / layoutScale_ >= maxHeight)
            break;
        // The line's text from its first glyph to its last, where alignment placed it.
        const QRectF text = line.naturalTextRect();
        if (text.width() <= 0.0)
            continue;
        const double baseLine = line.y() + line.ascent();
        for (const double centre : centresBelowBaseLine) {
            const QRectF band(text.left(), baseLine + centre - thickness / 2.0, text.width(), thickness);
            bands.append(QRectF(band.topLeft() / layoutScale_, band.size() / layoutScale_));
        }
    }
    return bands;
}

LaidOutText::Ink LaidOutText::ink(double maxHeight) const
{
    Ink ink;
    for (int index = 0; index < layout_.lineCount(); ++index) {
        const QTextLine line = layout_.lineAt(index);
        QRectF lineInk;
        forEachInkedGlyph(line, [&](const QRawFont&, quint32, const QRectF& box, QPointF) {
            lineInk |= box;
            return true;
        });
        if (lineInk.isEmpty())
            continue;
        if (line.y() / layoutScale_ >= maxHeight) {
            ink.linesLeftOut = true;
            break;
        }
        const QRectF inPoints(lineInk.topLeft() / layoutScale_, lineInk.size() / layoutScale_);
        ink.drawn = ink.drawn.united(inPoints);
    }
    for (const QRectF& band : decorations(maxHeight))
        ink.drawn = ink.drawn.united(band);
    return ink;
}

bool LaidOutText::inkOnCard(const CardEdge& card, QPointF origin, double maxHeight) const
{
    const double toPoints = 1.0 / layoutScale_;
    const QTransform onCard = QTransform::fromTranslate(origin.x(), origin.y()).scale(toPoints, toPoints);
    for (int index = 0; index < layout_.lineCount(); ++index) {
        const QTextLine line = layout_.lineAt(index);
        if (line.y() * toPoints >= maxHeight)
            break;
        const bool held = forEachInkedGlyph(
            line, [&](const QRawFont& face, quint32 glyph, const QRectF& box, QPointF position) {
                // Most glyphs lie well inside the card; only those near its edge need their shape.
                return card.surelyHolds(onCard.mapRect(box))
                    || card.holds(onCard.map(face.pathForGlyph(glyph).translated(position)));
            });
        if (!held)
            return false;
    }
    // A band is a box: the outline holds it when it holds its corners.
    for (const QRectF& band : decorations(maxHeight)) {
        if (!card.surelyHolds(band.translated(origin)))
            return false;
    }
    return true;
}

void LaidOutText::draw(QPainter& painter, QPointF origin, double maxHeight) const
{
    for (const PlacedGlyphs& glyphs : placedGlyphs(origin, maxHeight))
        Picture::drawGlyphs(painter, glyphs);
    // Drawn by us: the glyphs go out as bare glyph runs, which carry no decoration.
    const QBrush ink = painter.pen().brush();
    for (const QRectF& band : decorations(maxHeight))
        painter.fillRect(band.translated(origin), ink);
}

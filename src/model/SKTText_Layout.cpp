// Laying out a text object's text: its natural size and height fitting.
//
// Text is laid out once, in points, at a large pixel size (and scaled back), so that line
// breaks, kerning and widths are the same on the canvas, in export, print and PDF, whatever
// the device: Qt resolves point-sized fonts per device and, on a 72-dpi device, drops
// absolute letter spacing.
#include "model/SKTText.h"

#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Layout units per point, as fine as Qt's layout allows: above about 16000 pixels its
// line metrics overflow, so large fonts get a coarser scale.
constexpr double finestLayoutScale = 64.0;
constexpr double largestLayoutPixelSize = 16000.0;
constexpr double largestPointSize = 4000.0;

// The platform's font for text that names none.
QFont fallbackFont()
{
    QFont font(QStringLiteral("Helvetica"));
    font.setPointSizeF(12.0);
    return font;
}

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

// The font at the layout's scale: its size in points becomes layout pixels.
QFont layoutFont(QFont font, double kerning, double layoutScale)
{
    font.setPixelSize(std::max(1, int(std::lround(clampedPointSize(font) * layoutScale))));
    font.setHintingPreference(QFont::PreferNoHinting);
    if (kerning != 0.0 && std::isfinite(kerning))
        font.setLetterSpacing(QFont::AbsoluteSpacing, kerning * layoutScale);
    else
        font.setLetterSpacing(QFont::AbsoluteSpacing, 0.0);
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

} // namespace

double SKTText::LaidOutText::scaleFor(const QFont& font, const QList<QTextLayout::FormatRange>& formats)
{
    double largest = clampedPointSize(font);
    for (const QTextLayout::FormatRange& range : formats)
        largest = std::max(largest, clampedPointSize(range.format.font()));
    return std::min(finestLayoutScale, largestLayoutPixelSize / largest);
}

SKTText::LaidOutText::LaidOutText(const QString& text, const QFont& font, double kerning, double width,
    Qt::Alignment alignment, const QList<QTextLayout::FormatRange>& formats)
    : layoutScale(scaleFor(font, formats))
    , layout(QString(), layoutFont(font, kerning, layoutScale))
{
    QList<QTextLayout::FormatRange> scaled = formats;
    layout.setText(withLineSeparators(text, scaled));
    for (QTextLayout::FormatRange& range : scaled)
        range.format.setFont(layoutFont(range.format.font(), kerning, layoutScale));
    layout.setFormats(scaled);
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);

    // Qt's layout counts in 26.6 fixed point: wider lines than this would wrap around.
    const double lineWidth = std::isfinite(width) && width > 0.0 ? std::min(width * layoutScale, 1e7) : 0.0;
    double y = 0.0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(lineWidth);
        line.setPosition(QPointF(0.0, y));
        y += line.height();
        usedWidth = std::max(usedWidth, line.naturalTextWidth() / layoutScale);
    }
    layout.endLayout();
    height = y / layoutScale;
}

QPainterPath SKTText::LaidOutText::outline(double maxHeight) const
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (int index = 0; index < layout.lineCount(); ++index) {
        const QTextLine line = layout.lineAt(index);
        // Lines that start below the height are not shown.
        if (line.y() / layoutScale >= maxHeight)
            break;
        for (const QGlyphRun& run : line.glyphRuns()) {
            const QRawFont font = run.rawFont();
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype glyph = 0; glyph < glyphs.size() && glyph < positions.size(); ++glyph)
                path.addPath(font.pathForGlyph(glyphs.at(glyph)).translated(positions.at(glyph)));
        }
    }
    return QTransform::fromScale(1.0 / layoutScale, 1.0 / layoutScale).map(path);
}

QFont SKTText::drawingFont() const
{
    return text_ctrl_font.value_or(fallbackFont());
}

QSizeF SKTText::naturalSize() const
{
    // The stored text as it is, with its own fonts per run.
    StyledText text = _Text_contents ? *_Text_contents : StyledText::plain(Text_Value, fallbackFont(), {});
    if (!text.isConsistent())
        text = StyledText::plain(text.string, fallbackFont(), {});
    const QFont baseFont = !text.runs.empty() && text.runs.front().font ? *text.runs.front().font : fallbackFont();
    QList<QTextLayout::FormatRange> formats;
    int start = 0;
    for (const StyledText::Run& run : text.runs) {
        QTextLayout::FormatRange range;
        range.start = start;
        range.length = run.length;
        range.format.setFont(run.font.value_or(fallbackFont()));
        formats.append(range);
        start += run.length;
    }
    const LaidOutText laidOut(text.string, baseFont, 0.0, _bounds.width(), Qt::AlignLeft | Qt::AlignAbsolute, formats);
    return { laidOut.usedWidth, laidOut.height };
}

void SKTText::setHeightToMatchContents()
{
    // Undo does not observe the bounds meanwhile: fitting the height is no step of its own.
    _boundsBeingChangedToMatchContents = true;
    setBounds(QRectF(_bounds.x(), _bounds.y(), _bounds.width(), naturalSize().height()));
    _boundsBeingChangedToMatchContents = false;
}

void SKTText::makeNaturalSize()
{
    if (ctrl_is_locked)
        return;
    const QSizeF size = naturalSize();
    setBounds(QRectF(_bounds.topLeft(), size));
}

QRectF SKTText::drawingBounds() const
{
    return SKTGraphic::drawingBounds().united(_bounds.adjusted(-1.0, -1.0, 1.0, 1.0));
}

QSet<QString> SKTText::keysForValuesToObserveForUndo() const
{
    QSet<QString> keys = SKTGraphic::keysForValuesToObserveForUndo();
    if (_boundsBeingChangedToMatchContents)
        keys.remove(SKTGraphicBoundsKey);
    return keys;
}

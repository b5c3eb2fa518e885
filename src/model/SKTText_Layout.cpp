// Laying out a text object's text: its natural size and height fitting.
#include "model/LaidOutText.h"
#include "model/SKTText.h"

namespace {

// The platform's font for text that names none.
QFont fallbackFont()
{
    QFont font(QStringLiteral("Helvetica"));
    font.setPointSizeF(12.0);
    return font;
}

} // namespace

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
    return { laidOut.usedWidth(), laidOut.height() };
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

// Drawing a text object: fill and border of its bounds, then its text in one look.
#include "model/SKTText.h"

#include "common/StringHelpers.h"
#include "model/CardEdge.h"
#include "model/GraphicPainting.h"
#include "model/LaidOutText.h"
#include "model/ModelHooks.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

QString transformedCase(const QString& text, qint32 code)
{
    switch (code) {
    case 1: return text.toUpper();
    case 2: return text.toLower();
    case 3: return capitalisedWords(text);
    default: return text;
    }
}

Qt::Alignment alignment(qint32 code)
{
    switch (code) {
    case 1: return Qt::AlignRight | Qt::AlignAbsolute;
    case 2: return Qt::AlignHCenter;
    case 3: return Qt::AlignJustify;
    case 4: return Qt::AlignLeading;
    default: return Qt::AlignLeft | Qt::AlignAbsolute;
    }
}

// The colour of the frame drawn around a text being created or edited.
const QColor knobColour(153, 153, 153);

} // namespace

QString SKTText::displayedText() const
{
    // Read without creating the storage: drawing changes nothing in the object.
    const QString stored = _Text_contents ? _Text_contents->string : Text_Value;
    return Trim_Str(stored);
}

LaidOutText SKTText::drawnLayout(const QString& text, double width) const
{
    return LaidOutText(
        transformedCase(text, text_transfrom_case), drawingFont(), text_kerning, width, alignment(text_alignmnet));
}

QSizeF SKTText::drawnSizeOf(const QString& value) const
{
    // Wide enough that only line breaks start lines.
    constexpr double unbounded = 1e6;
    const QString text = Trim_Str(value);
    if (text.isEmpty())
        return {};
    const LaidOutText laidOut = drawnLayout(text, unbounded);
    // As wide as the lines, as high as the ink goes: a box of the font's line height may cut
    // nothing of a value without descenders.
    return { laidOut.usedWidth(), std::max(0.0, laidOut.ink(unbounded).drawn.bottom()) };
}

bool SKTText::textFitsBounds(const CardEdge& card) const
{
    // Below a quarter point a cut shows nothing: the box's own rounding stays quiet.
    constexpr double tolerance = 0.25;
    const QString text = displayedText();
    if (text.isEmpty())
        return true;
    const LaidOutText laidOut = drawnLayout(text, _bounds.width());
    const LaidOutText::Ink ink = laidOut.ink(_bounds.height());
    const QRectF box = QRectF(QPointF(0, 0), _bounds.size()).adjusted(-tolerance, -tolerance, tolerance, tolerance);
    if (ink.linesLeftOut || !(ink.drawn.isEmpty() || box.contains(ink.drawn)))
        return false;
    return laidOut.inkOnCard(card, _bounds.topLeft(), _bounds.height());
}

void SKTText::drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited)
{
    if (!ctrl_is_visible)
        return;
    if (isBeingCreateOrEdited) {
        painter.save();
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(knobColour, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawRect(_bounds.adjusted(-1.0, -1.0, 1.0, 1.0));
        painter.restore();
        ModelHooks::Refresh_Canvas();
        return;
    }
    const QString text = displayedText();
    if (text.isEmpty())
        return;

    QPainterPath box;
    box.addRect(_bounds);
    if (isDrawingFill())
        GraphicPainting::fill(painter, box, *this, GraphicPainting::Hatch::Ignored);
    if (isDrawingStroke())
        GraphicPainting::stroke(painter, box, *this);

    const LaidOutText laidOut = drawnLayout(text, _bounds.width());
    painter.save();
    painter.setClipRect(_bounds, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(txt_clr.isValid() ? txt_clr : QColor(Qt::black));
    laidOut.draw(painter, _bounds.topLeft(), _bounds.height());
    painter.restore();

    ModelHooks::Refresh_Canvas();
}

void SKTText::growToFitText(const QSizeF& minimum, double maxWidth)
{
    const QString text = transformedCase(displayedText(), text_transfrom_case);
    const Qt::Alignment align = alignment(text_alignmnet);
    // Room for the drawn frame on either side, as for a text placed by the text tool.
    constexpr double margin = 2.0;
    const double oneLine = LaidOutText(text, drawingFont(), text_kerning, 1.0e6, align).usedWidth() + margin;
    const double width = std::clamp(std::ceil(oneLine), minimum.width(), std::max(minimum.width(), maxWidth));
    const double height = std::max(
        minimum.height(), std::ceil(LaidOutText(text, drawingFont(), text_kerning, width, align).height()) + 1.0);
    _boundsBeingChangedToMatchContents = true;
    setBounds(QRectF(_bounds.topLeft(), QSizeF(width, height)));
    _boundsBeingChangedToMatchContents = false;
}

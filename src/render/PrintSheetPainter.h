#pragma once

#include "platform/Picture.h"
#include "render/PrintLayout.h"

#include <functional>
#include <optional>

class GlyphCache;
class QPainter;

// The pictures one cell shows: the front and back of one card.
struct PrintCellCards
{
    Picture front;
    Picture back;
};

// The cards of a print job by 0-based card index; no value leaves the cell empty (a batch
// with fewer rows than cards). May be called from a worker thread.
using PrintCardSource = std::function<std::optional<PrintCellCards>(int cardIndex)>;

namespace PrintSheetPainter {

// Paints one sheet (0-based) of the job on painter, whose coordinates are points over the
// whole paper, y down: white paper, then each cell's card as vectors, without outlines.
// Cells stop at the job's total (Total_Label_Real). A glyph cache of the painting thread,
// where given, serves the sheets that follow.
void paintSheet(QPainter& painter, const PrintLayout::PrintSettings& settings, int sheet, const PrintCardSource& cards,
    GlyphCache* glyphs = nullptr);

// Draws a caption centred on rect in the bold 11-point font of the print captions.
void Draw_Label_String(QPainter& painter, const QString& text, const QRectF& rect, const QColor& colour);

} // namespace PrintSheetPainter

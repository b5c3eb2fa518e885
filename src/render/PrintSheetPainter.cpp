#include "render/PrintSheetPainter.h"

#include <QFont>
#include <QPainter>

namespace PrintSheetPainter {

using namespace PrintLayout;

void Draw_Label_String(QPainter& painter, const QString& text, const QRectF& rect, const QColor& colour)
{
    QFont font = painter.font();
    font.setPointSizeF(11);
    font.setBold(true);
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    // An empty rect (no card picture) still centres the caption on its point.
    const QRectF around = rect.adjusted(-1000, -1000, 1000, 1000);
    painter.drawText(rect.isEmpty() ? around : rect, Qt::AlignCenter | Qt::TextDontClip, text);
    painter.restore();
}

void paintSheet(
    QPainter& painter, const PrintSettings& settings, int sheet, const PrintCardSource& cards, GlyphCache* glyphs)
{
    painter.fillRect(QRectF(QPointF(0, 0), settings.paper), Qt::white);
    for (int row = 1; row <= settings.Print_Row; ++row) {
        for (int column = 1; column <= settings.Print_Col; ++column) {
            const int index = cardIndex(settings, sheet, row, column);
            if (index >= settings.Total_Label_Real)
                return;
            const std::optional<PrintCellCards> card = cards(index);
            if (!card)
                continue;
            const CellPlacement placed = placeCell(settings, row, column, card->front.size());
            if (card->front.isNull()) {
                Draw_Label_String(painter, QStringLiteral("Invalid Data"), placed.front, Qt::red);
                continue;
            }
            // No clip around the card: a rendered side already cuts what reaches past the
            // card's shape, and a clip around every card makes each slower and larger in a PDF.
            const bool backOnly = settings.Print_Card_Side == sideBack;
            (backOnly ? card->back : card->front).draw(painter, placed.front, glyphs);
            if (placed.back && !card->back.isNull())
                card->back.draw(painter, *placed.back, glyphs);
        }
    }
}

} // namespace PrintSheetPainter

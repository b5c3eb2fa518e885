#include "render/PrintLayout.h"

#include <algorithm>
#include <cmath>

namespace PrintLayout {

namespace {

// The smallest card side the fitting accepts, so that no count divides by a zero width.
constexpr float smallestCardMM = 1.0f;

struct AxisFit
{
    int count = 1;
    float gap = 0;
};

// One axis of the fitting: count cells of size on paper of length with the two margins.
AxisFit fitAxis(bool autoCentre, int typedCount, float size, float typedGap, float paper, float marginA, float marginB)
{
    AxisFit fit;
    fit.count = std::max(typedCount, 1);
    const float available = paper - marginA - marginB;
    const auto shrinkTo = [&](int fitting) { fit.count = std::min(fit.count, std::max(fitting, 1)); };
    if (autoCentre) {
        const auto spreadOf = [&](int count) { return (available - float(count) * size) / float(count + 1); };
        if (!(spreadOf(fit.count) > 0))
            shrinkTo(int(std::trunc(available / size)));
        // The cells that fit are spread too: with no gap the grid would sit on the bottom margin.
        fit.gap = std::max(spreadOf(fit.count), 0.0f);
        return fit;
    }
    fit.gap = typedGap;
    const float outside
        = (available - float(fit.count) * size - float(fit.count - 1) * typedGap) / float(fit.count + 1);
    if (!(outside > 0))
        shrinkTo(int(std::floor((paper + typedGap - marginA - marginB) / (size + typedGap))));
    return fit;
}

// A rect given with its bottom edge counted up from the paper's bottom, turned y-down.
QRectF fromBottom(float paperHeight, float x, float bottom, float width, float height)
{
    return QRectF(x, paperHeight - bottom - height, width, height);
}

} // namespace

FitResult Check_Max_Cell_Value(PrintSettings& settings, const FitRequest& request)
{
    float w = MM_to_Points_Convert(std::max(request.cardWidthMM, smallestCardMM));
    float h = MM_to_Points_Convert(std::max(request.cardHeightMM, smallestCardMM));
    if (settings.bothSides()) {
        if (settings.backBelowFront())
            h *= 2;
        else
            w *= 2;
    }
    settings.label_width = w;
    settings.label_hight = h;
    const float columnGap = MM_to_Points_Convert(std::max(request.columnGapMM, 0.0f));
    const float rowGap = MM_to_Points_Convert(std::max(request.rowGapMM, 0.0f));
    const float paperW = float(settings.paper.width());
    const float paperH = float(settings.paper.height());

    const AxisFit columns = fitAxis(
        settings.auto_center_flag, request.columns, w, columnGap, paperW, settings.Left_Mar, settings.Rite_Mar);
    const AxisFit rows
        = fitAxis(settings.auto_center_flag, request.rows, h, rowGap, paperH, settings.Top_Mar, settings.Bot_Mar);
    settings.horz_mar = columns.gap;
    settings.vert_mar = rows.gap;
    settings.Print_Col = columns.count;
    settings.Print_Row = rows.count;

    return FitResult { columns.count, rows.count };
}

int sheetCount(int total, int rows, int columns)
{
    const int cells = std::max(rows, 1) * std::max(columns, 1);
    if (total <= 0)
        return 0;
    return total / cells + (total % cells != 0 ? 1 : 0);
}

int cardIndex(const PrintSettings& settings, int sheet, int row, int column)
{
    return sheet * settings.cellsPerSheet() + (row - 1) * settings.Print_Col + column - 1;
}

CellPlacement placeCell(const PrintSettings& s, int row, int column, const QSizeF& cardSize)
{
    const float w = s.label_width, h = s.label_hight;
    const float pw = float(s.paper.width()), ph = float(s.paper.height());
    const float aw = pw - s.Left_Mar - s.Rite_Mar;
    const float ah = ph - s.Top_Mar - s.Bot_Mar;
    const float gw = float(s.Print_Col) * w + float(s.Print_Col - 1) * s.horz_mar;
    const float gh = float(s.Print_Row) * h + float(s.Print_Row - 1) * s.vert_mar;
    const int position = std::clamp(s.label_align_val, 1, 9) - 1;

    float firstBottom, firstLeft;
    if (s.auto_center_flag) {
        firstBottom = gh - h + s.vert_mar + s.Bot_Mar;
        firstLeft = s.Left_Mar + s.horz_mar;
    } else {
        const float bottoms[] = { ph - h - s.Top_Mar, (ah - gh) / 2 + s.Bot_Mar + gh - h, gh - h + s.Bot_Mar };
        const float lefts[] = { s.Left_Mar, s.Left_Mar + (aw - gw) / 2, pw - gw - s.Rite_Mar };
        firstBottom = bottoms[position / 3];
        firstLeft = lefts[position % 3];
    }
    const float y = firstBottom - float(row - 1) * (h + s.vert_mar);
    const float x = firstLeft + float(column - 1) * (w + s.horz_mar);

    const float iw = float(cardSize.width()), ih = float(cardSize.height());
    CellPlacement placed;
    placed.cell = fromBottom(ph, x, y, w, h);
    float dx = x, dy = y;
    if (s.bothSides() && s.backBelowFront()) {
        placed.frontArea = fromBottom(ph, x, y + h / 2, w, h / 2);
        dy = y + h / 2;
        if (w > iw)
            dx += (w - iw) / 2;
        if (h > 2 * ih)
            dy += (h - 2 * ih) / 2;
        placed.back = fromBottom(ph, dx, dy - ih, iw, ih);
    } else if (s.bothSides()) {
        placed.frontArea = fromBottom(ph, x, y, w / 2, h);
        if (w > 2 * iw)
            dx += (w - 2 * iw) / 2;
        if (h > ih)
            dy += (h - ih) / 2;
        placed.back = fromBottom(ph, dx + iw, dy, iw, ih);
    } else {
        placed.frontArea = placed.cell;
        if (w > iw)
            dx += (w - iw) / 2;
        if (h > ih)
            dy += (h - ih) / 2;
    }
    placed.front = fromBottom(ph, dx, dy, iw, ih);
    return placed;
}

QSizeF cellContents(const PrintSettings& settings, const QSizeF& cardSize)
{
    if (!settings.bothSides())
        return cardSize;
    return settings.backBelowFront() ? QSizeF(cardSize.width(), 2 * cardSize.height())
                                     : QSizeF(2 * cardSize.width(), cardSize.height());
}

bool cardsOverlap(const PrintSettings& settings, const QSizeF& cardSize)
{
    // Millimetre fields round to a hundredth; a card that fills its cell exactly must pass.
    constexpr double tolerance = 0.05;
    const QSizeF held = cellContents(settings, cardSize);
    const bool acrossColumns
        = settings.Print_Col > 1 && settings.label_width + settings.horz_mar + tolerance < held.width();
    const bool acrossRows
        = settings.Print_Row > 1 && settings.label_hight + settings.vert_mar + tolerance < held.height();
    return acrossColumns || acrossRows;
}

} // namespace PrintLayout

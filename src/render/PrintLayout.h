#pragma once

#include "render/CardUnits.h"

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

// Where the cells of a printed sheet lie: one piece of arithmetic shared by the page that
// goes to the printer and by the sample in the print window. Lengths are in points; the
// placement rules count y upward from the paper's bottom edge, and every rect handed out
// is converted once to Qt's y-down page coordinates.
namespace PrintLayout {

// The side choice of a cell: "F", "B" or "BOTH"; "BOTH" stacks the back below ("U") or
// beside ("L") the front.
inline const QString sideFront = QStringLiteral("F");
inline const QString sideBack = QStringLiteral("B");
inline const QString sideBoth = QStringLiteral("BOTH");
inline const QString backBelow = QStringLiteral("U");
inline const QString backBeside = QStringLiteral("L");

// The print settings that place cells; the window writes them, the sheet and the sample read them.
struct PrintSettings
{
    QString Print_Card_Side = sideBoth;
    QString Print_Card_Algn = backBelow;
    int label_align_val = 1; // 1..9: top left to bottom right, in reading order
    bool auto_center_flag = false;
    bool Show_margin_rect = true;
    int Print_Row = 1;
    int Print_Col = 1;
    int Total_Label = 1;
    int Total_Label_Real = 1;
    float label_width = 0; // one cell; doubled for "BOTH"
    float label_hight = 0;
    float Left_Mar = 0, Rite_Mar = 0, Top_Mar = 0, Bot_Mar = 0;
    float horz_mar = 0; // gap between columns
    float vert_mar = 0; // gap between rows
    QSizeF paper;

    bool bothSides() const { return Print_Card_Side == sideBoth; }
    bool backBelowFront() const { return Print_Card_Algn == backBelow; }
    int cellsPerSheet() const { return Print_Row * Print_Col; }
};

// What the user typed, in millimetres and counts, before fitting.
struct FitRequest
{
    float cardWidthMM = 0; // one card side
    float cardHeightMM = 0;
    float columnGapMM = 0;
    float rowGapMM = 0;
    int columns = 1;
    int rows = 1;
};

// The fitted grid.
struct FitResult
{
    int columns = 1;
    int rows = 1;
};

// Fits the typed grid on the paper of settings: writes the cell size, the gaps, rows and
// columns into settings. Auto-centre spreads n + 1 equal gaps; typed gaps keep the gap and
// drop columns (rows) until they fit. Never fewer than one row and one column, never a
// cell of zero size.
FitResult Check_Max_Cell_Value(PrintSettings& settings, const FitRequest& request);

// Sheets needed for the total; at least one cell per sheet is assumed.
int sheetCount(int total, int rows, int columns);

// The 0-based card of a cell, from its sheet and 1-based row and column, so sheets drawn
// again or out of order show the same cards.
int cardIndex(const PrintSettings& settings, int sheet, int row, int column);

// One cell of a sheet, in y-down points.
struct CellPlacement
{
    QRectF cell; // the whole cell
    QRectF frontArea; // the area holding the front: half the cell for "BOTH"
    QRectF front; // the front card (or the back for side "B") at its own size
    std::optional<QRectF> back; // for "BOTH": the back beside or below the front
};

// Places the cell at 1-based row and column for a card of cardSize (points); cards are
// never scaled: a smaller cell lets the card run over its top and right edges.
CellPlacement placeCell(const PrintSettings& settings, int row, int column, const QSizeF& cardSize);

// What one cell holds on paper for cards of cardSize: the card, or its front and back
// together (stacked or side by side).
QSizeF cellContents(const PrintSettings& settings, const QSizeF& cardSize);

// True when the cards of neighbouring cells would overlap and hide each other: a cell with
// its gap is smaller than what it holds in a direction that has more than one cell.
bool cardsOverlap(const PrintSettings& settings, const QSizeF& cardSize);

} // namespace PrintLayout

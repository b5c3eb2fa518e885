#include "render/PrintLayout.h"

#include <gtest/gtest.h>

using namespace PrintLayout;

namespace {

constexpr double mmTolerance = 0.01;

double mm(double points)
{
    return Points_to_MM_Convert(float(points));
}

// A sheet of the given size with equal margins on every side, all in millimetres.
PrintSettings sheet(float widthMM, float heightMM, float marginMM)
{
    PrintSettings s;
    s.Print_Card_Side = sideFront;
    s.paper = QSizeF(MM_to_Points_Convert(widthMM), MM_to_Points_Convert(heightMM));
    s.Left_Mar = s.Rite_Mar = s.Top_Mar = s.Bot_Mar = MM_to_Points_Convert(marginMM);
    return s;
}

FitRequest grid(float cardW, float cardH, int columns, int rows, float gapMM = 0)
{
    return FitRequest { cardW, cardH, gapMM, gapMM, columns, rows };
}

} // namespace

TEST(PrintFitting, AutoCentreSpreadsEvenGapsOrFallsToTheColumnsThatFit)
{
    PrintSettings s = sheet(210, 297, 5); // 200 mm printable width
    s.auto_center_flag = true;
    FitResult fit = Check_Max_Cell_Value(s, grid(85, 50, 2, 1));
    EXPECT_NEAR(mm(s.horz_mar), 10.0, mmTolerance);
    EXPECT_EQ(fit.columns, 2);
    EXPECT_NEAR(mm(s.vert_mar), (287.0 - 50) / 2, mmTolerance);

    // The columns that fit are spread evenly too, never pushed against a margin.
    fit = Check_Max_Cell_Value(s, grid(85, 50, 3, 1));
    EXPECT_EQ(s.Print_Col, 2);
    EXPECT_EQ(fit.columns, 2);
    EXPECT_NEAR(mm(s.horz_mar), 10.0, mmTolerance);
    // Cards exactly as wide as the room leave no gap.
    Check_Max_Cell_Value(s, grid(100, 50, 3, 1));
    EXPECT_EQ(s.Print_Col, 2);
    EXPECT_NEAR(mm(s.horz_mar), 0.0, mmTolerance);
}

TEST(PrintFitting, TypedGapsDropColumnsUntilTheyFitAndKeepTheGap)
{
    PrintSettings s = sheet(190, 297, 5); // 180 mm printable width
    FitResult fit = Check_Max_Cell_Value(s, grid(60, 50, 3, 1, 5));
    EXPECT_EQ(s.Print_Col, 2);
    EXPECT_EQ(fit.columns, 2);
    EXPECT_NEAR(mm(s.horz_mar), 5.0, mmTolerance);

    // Cells that fit keep the count asked for.
    fit = Check_Max_Cell_Value(s, grid(50, 50, 3, 1, 5));
    EXPECT_EQ(s.Print_Col, 3);
    EXPECT_EQ(fit.columns, 3);
}

TEST(PrintFitting, BothSidesDoubleTheCellInTheStackingDirection)
{
    PrintSettings s = sheet(210, 297, 5);
    s.Print_Card_Side = sideBoth;
    s.Print_Card_Algn = backBelow;
    Check_Max_Cell_Value(s, grid(85, 55, 1, 1));
    EXPECT_NEAR(mm(s.label_width), 85, mmTolerance);
    EXPECT_NEAR(mm(s.label_hight), 110, mmTolerance);
    s.Print_Card_Algn = backBeside;
    Check_Max_Cell_Value(s, grid(85, 55, 1, 1));
    EXPECT_NEAR(mm(s.label_width), 170, mmTolerance);
    EXPECT_NEAR(mm(s.label_hight), 55, mmTolerance);
}

TEST(PrintFitting, NoGridBelowOneCellAndNoEmptyCard)
{
    PrintSettings s = sheet(210, 297, 5);
    FitResult fit = Check_Max_Cell_Value(s, grid(0, -3, 0, 0));
    EXPECT_EQ(s.Print_Row, 1);
    EXPECT_EQ(s.Print_Col, 1);
    EXPECT_EQ(std::pair(fit.rows, fit.columns), std::pair(1, 1));
    EXPECT_GT(s.label_width, 0);
    EXPECT_GT(s.label_hight, 0);

    // A card wider than the paper still gets one column, in both modes.
    Check_Max_Cell_Value(s, grid(400, 50, 2, 1));
    EXPECT_EQ(s.Print_Col, 1);
    s.auto_center_flag = true;
    Check_Max_Cell_Value(s, grid(400, 50, 2, 1));
    EXPECT_EQ(s.Print_Col, 1);
}

TEST(PrintSheets, CountsAndCardIndicesFollowTheSheetAndCell)
{
    EXPECT_EQ(sheetCount(7, 2, 2), 2);
    EXPECT_EQ(sheetCount(8, 2, 2), 2);
    EXPECT_EQ(sheetCount(9, 2, 2), 3);
    EXPECT_EQ(sheetCount(0, 2, 2), 0);
    EXPECT_EQ(sheetCount(5, 0, 0), 5);

    PrintSettings s;
    s.Print_Row = 2;
    s.Print_Col = 3;
    EXPECT_EQ(cardIndex(s, 0, 1, 1), 0);
    EXPECT_EQ(cardIndex(s, 0, 2, 1), 3);
    EXPECT_EQ(cardIndex(s, 2, 2, 3), 17);
}

TEST(PrintPlacement, NineGridPositionsAgainstTheMarginsAndCentres)
{
    // A4 with margins 10 (left), 20 (right), 30 (top), 40 (bottom) points; 2 x 2 cells of
    // 100 x 50 with gaps 5: the grid is 205 x 105 points.
    PrintSettings s;
    s.Print_Card_Side = sideFront;
    s.paper = QSizeF(595, 842);
    s.Left_Mar = 10, s.Rite_Mar = 20, s.Top_Mar = 30, s.Bot_Mar = 40;
    s.Print_Row = s.Print_Col = 2;
    s.label_width = 100, s.label_hight = 50;
    s.horz_mar = s.vert_mar = 5;
    const QSizeF card(100, 50);
    const double gridW = 205, gridH = 105;
    const double lefts[] = { 10, 10 + (565 - gridW) / 2, 595 - gridW - 20 };
    const double tops[] = { 30, 30 + (772 - gridH) / 2, 842 - 40 - gridH };
    for (int position = 1; position <= 9; ++position) {
        SCOPED_TRACE(position);
        s.label_align_val = position;
        const CellPlacement first = placeCell(s, 1, 1, card);
        EXPECT_NEAR(first.cell.left(), lefts[(position - 1) % 3], 0.01);
        EXPECT_NEAR(first.cell.top(), tops[(position - 1) / 3], 0.01);
        const CellPlacement last = placeCell(s, 2, 2, card);
        EXPECT_NEAR(last.cell.left() - first.cell.left(), 105, 0.01);
        EXPECT_NEAR(last.cell.top() - first.cell.top(), 55, 0.01);
    }
}

TEST(PrintPlacement, AutoCentreLeavesOneGapBeforeTheFirstColumnAndBelowTheLastRow)
{
    PrintSettings s;
    s.Print_Card_Side = sideFront;
    s.paper = QSizeF(600, 800);
    s.Left_Mar = s.Rite_Mar = s.Top_Mar = s.Bot_Mar = 20;
    s.auto_center_flag = true;
    s.Print_Row = 2, s.Print_Col = 3;
    s.label_width = 100, s.label_hight = 200;
    s.horz_mar = (560 - 300) / 4.0f;
    s.vert_mar = (760 - 400) / 3.0f;
    const CellPlacement topLeft = placeCell(s, 1, 1, QSizeF(100, 200));
    const CellPlacement bottomRight = placeCell(s, 2, 3, QSizeF(100, 200));
    EXPECT_NEAR(topLeft.cell.left(), 20 + s.horz_mar, 0.01);
    EXPECT_NEAR(bottomRight.cell.right(), 580 - s.horz_mar, 0.01);
    EXPECT_NEAR(bottomRight.cell.bottom(), 780 - s.vert_mar, 0.01);
    EXPECT_NEAR(topLeft.cell.top(), 20 + s.vert_mar, 0.01);
}

TEST(PrintPlacement, CardsCentreInLargerCellsAndRunOverSmallerOnes)
{
    PrintSettings s;
    s.Print_Card_Side = sideFront;
    s.paper = QSizeF(500, 500);
    s.label_width = 200, s.label_hight = 100;
    CellPlacement placed = placeCell(s, 1, 1, QSizeF(100, 50));
    EXPECT_EQ(placed.front, QRectF(50, 25, 100, 50));
    EXPECT_FALSE(placed.back);
    // A smaller cell holds the card from its lower-left corner.
    placed = placeCell(s, 1, 1, QSizeF(300, 150));
    EXPECT_EQ(placed.front.left(), placed.cell.left());
    EXPECT_EQ(placed.front.bottom(), placed.cell.bottom());
}

TEST(PrintPlacement, BothSidesPutTheBackBelowOrBesideTheFront)
{
    PrintSettings s;
    s.Print_Card_Side = sideBoth;
    s.paper = QSizeF(500, 500);
    s.Print_Card_Algn = backBelow;
    s.label_width = 100, s.label_hight = 100;
    CellPlacement placed = placeCell(s, 1, 1, QSizeF(100, 50));
    EXPECT_EQ(placed.front, QRectF(0, 0, 100, 50));
    ASSERT_TRUE(placed.back);
    EXPECT_EQ(*placed.back, QRectF(0, 50, 100, 50));
    EXPECT_EQ(placed.frontArea, QRectF(0, 0, 100, 50));

    s.Print_Card_Algn = backBeside;
    s.label_width = 200, s.label_hight = 50;
    placed = placeCell(s, 1, 1, QSizeF(100, 50));
    EXPECT_EQ(placed.front, QRectF(0, 0, 100, 50));
    ASSERT_TRUE(placed.back);
    EXPECT_EQ(*placed.back, QRectF(100, 0, 100, 50));
    EXPECT_EQ(placed.frontArea, QRectF(0, 0, 100, 50));
}

TEST(PrintPlacement, CellsSmallerThanTheirCardsOverlapOnlyWhereNeighboursMeet)
{
    PrintSettings s;
    s.Print_Card_Side = sideFront;
    s.paper = QSizeF(600, 800);
    s.label_width = 100, s.label_hight = 50;
    s.Print_Row = s.Print_Col = 1;
    const QSizeF card(100, 50);
    EXPECT_FALSE(cardsOverlap(s, card));
    // One cell alone overlaps nothing, however small.
    EXPECT_FALSE(cardsOverlap(s, QSizeF(300, 300)));

    s.Print_Col = 3;
    s.label_width = 90;
    EXPECT_TRUE(cardsOverlap(s, card));
    s.horz_mar = 10; // the gap makes room
    EXPECT_FALSE(cardsOverlap(s, card));
    s.Print_Col = 1;
    s.Print_Row = 2;
    s.label_hight = 49;
    EXPECT_TRUE(cardsOverlap(s, card));

    // Front and back: the cell holds two cards in the stacking direction.
    s.Print_Card_Side = sideBoth;
    s.Print_Card_Algn = backBelow;
    s.label_width = 100, s.label_hight = 100;
    s.horz_mar = 0;
    s.Print_Row = s.Print_Col = 2;
    EXPECT_FALSE(cardsOverlap(s, card));
    s.label_hight = 99;
    EXPECT_TRUE(cardsOverlap(s, card));
    s.Print_Card_Algn = backBeside;
    s.label_width = 200, s.label_hight = 50;
    EXPECT_FALSE(cardsOverlap(s, card));
    EXPECT_EQ(cellContents(s, card), QSizeF(200, 50));
}
